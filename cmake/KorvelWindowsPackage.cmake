# The window on Windows (with a Qt for Windows: Qt's own SDK): the program's
# icons and version resource, a windowed program (no console beside it),
# Qt's DLLs and plugins installed beside it by Qt's deployment tool
# (windeployqt), and an installer, Korvel-<version>-win64.exe, made by CPack
# with NSIS: a Start menu shortcut, the .sin file type and an uninstaller.
# cmake --install BUILD --prefix DIR gives a folder that runs as it stands;
# cpack --config BUILD/CPackConfig.cmake makes the installer.
include(GNUInstallDirs)
set(KORVEL_WINDOWS_PACKAGING ${PROJECT_SOURCE_DIR}/packaging/windows)

configure_file(${KORVEL_WINDOWS_PACKAGING}/korvel.rc.in ${CMAKE_BINARY_DIR}/packaging/korvel.rc @ONLY)
target_sources(korvel PRIVATE ${CMAKE_BINARY_DIR}/packaging/korvel.rc)
set_target_properties(korvel PROPERTIES WIN32_EXECUTABLE ON)

install(TARGETS korvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The deployment script runs windeployqt on the installed program: the Qt
# DLLs it links, the platform, style, image format (SVG) and print support
# plugins, and the compiler's run-time libraries. The option's name changed
# in Qt 6.5.
if(Qt6_VERSION VERSION_LESS 6.5)
  qt_generate_deploy_app_script(TARGET korvel FILENAME_VARIABLE korvel_deploy_script)
else()
  qt_generate_deploy_app_script(TARGET korvel OUTPUT_SCRIPT korvel_deploy_script NO_TRANSLATIONS)
endif()
install(SCRIPT ${korvel_deploy_script})
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR NSIS)
# The values below reach NSIS as written here (CPack escapes them itself).
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Korvel)
set(CPACK_PACKAGE_VENDOR "The Korvel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for KR - 100, KR - 200 and KR - 300 radios")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://korvel.example.org/")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Korvel)
set(CPACK_PACKAGE_FILE_NAME Korvel-${PROJECT_VERSION}-win64)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/packaging/copyright)
# The Start menu shortcut: bin\korvel.exe as "Korvel".
set(CPACK_PACKAGE_EXECUTABLES korvel Korvel)
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\korvel.exe")
set(CPACK_NSIS_MUI_ICON ${KORVEL_WINDOWS_PACKAGING}/korvel.ico)
set(CPACK_NSIS_MUI_UNIICON ${KORVEL_WINDOWS_PACKAGING}/korvel.ico)
set(CPACK_NSIS_DISPLAY_NAME Korvel)
set(CPACK_NSIS_PACKAGE_NAME Korvel)
# Installs over an older version by removing it first, so no stale DLL of an
# older Qt stays beside the program.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The file type in NSIS's own words, kept in files of their own so no
# backslash or quote of theirs has to pass through CMake's quoting (makensis
# takes '/' in the path on every system).
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!include \"${KORVEL_WINDOWS_PACKAGING}/file-type-install.nsh\"")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!include \"${KORVEL_WINDOWS_PACKAGING}/file-type-uninstall.nsh\"")
include(CPack)
