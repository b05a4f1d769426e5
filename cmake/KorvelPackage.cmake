# What the installed programs bring besides themselves, and the Debian
# package CPack makes of the install rules:
# - manual pages korvel(1), korvel-cli(1), korvel-radiosim(1), written by
#   help2man from each built program's --help and --version (korvel-cli's
#   with every command's own --help), plus the sections of packaging/man/;
# - the icons in the hicolor theme: SVG, and PNG at the usual sizes drawn
#   from it by rsvg-convert;
# - the AppStream metadata, bash completion of korvel-cli, the README, the
#   copyright file, the changelog and the tags lintian is told to accept.
# The tools are in scripts/packages.txt.
include(GNUInstallDirs)
foreach(tool IN ITEMS help2man rsvg-convert gzip)
  string(TOUPPER ${tool} variable)
  string(REPLACE "-" "_" variable ${variable})
  find_program(${variable} ${tool})
  if(NOT ${variable})
    message(FATAL_ERROR "${tool} is needed for the manual pages and icons: run scripts/install-deps.sh, "
                        "or configure with -DKORVEL_PACKAGE=OFF to build without them")
  endif()
endforeach()

set(KORVEL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KORVEL_RESOURCES_DIR ${PROJECT_SOURCE_DIR}/src/app/resources)
set(generated ${CMAKE_BINARY_DIR}/packaging)
set(package_files)

# korvel_manual_page(NAME TARGET [HELP2MAN_PROGRAM...]): NAME.1.gz from the
# built TARGET; help2man runs the program given (the target itself unless
# told otherwise). The backup folder a help text shows is "~/..." whoever
# builds the page.
function(korvel_manual_page name target)
  set(program $<TARGET_FILE:${target}>)
  if(ARGN)
    set(program ${ARGN})
  endif()
  set(include ${KORVEL_PACKAGING_DIR}/man/${name}.h2m)
  set(page ${generated}/man/${name}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/man
    COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME HOME=~
            ${HELP2MAN} --no-info --section=1 --include=${include} --output=${page} "${program}"
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${target} ${include} ${KORVEL_PACKAGING_DIR}/cli-manual-text.sh
    COMMENT "Writing the manual page ${name}(1)"
    VERBATIM)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  set(package_files ${package_files} ${page}.gz PARENT_SCOPE)
endfunction()

korvel_manual_page(korvel korvel)
korvel_manual_page(korvel-cli korvel-cli "${KORVEL_PACKAGING_DIR}/cli-manual-text.sh $<TARGET_FILE:korvel-cli>")
korvel_manual_page(korvel-radiosim korvel-radiosim)

# The program's icon and the channel data file's icon, in every size.
set(icon_sizes 16 32 48 64 128 256)
foreach(icon korvel:apps application-x-korvel-sin:mimetypes)
  string(REPLACE ":" ";" icon ${icon})
  list(GET icon 0 name)
  list(GET icon 1 context)
  set(svg ${KORVEL_RESOURCES_DIR}/icons/${name}.svg)
  install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context})
  foreach(size ${icon_sizes})
    set(folder ${size}x${size}/${context})
    set(png ${generated}/icons/${folder}/${name}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${folder}
      COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${svg}
      DEPENDS ${svg}
      VERBATIM)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${folder})
    list(APPEND package_files ${png})
  endforeach()
endforeach()

# The software centre's entry and the changelog carry the version and the
# release date; dpkg wants the changelog compressed.
configure_file(${KORVEL_RESOURCES_DIR}/korvel.metainfo.xml.in ${generated}/org.example.korvel.metainfo.xml @ONLY)
install(FILES ${generated}/org.example.korvel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(CPACK_PACKAGE_CONTACT "The Korvel developers <korvel@example.org>" CACHE STRING "The package's maintainer")
execute_process(COMMAND date --rfc-email --utc --date=${KORVEL_RELEASE_DATE}
                OUTPUT_VARIABLE KORVEL_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${KORVEL_PACKAGING_DIR}/changelog.in ${generated}/changelog @ONLY)
add_custom_command(OUTPUT ${generated}/changelog.gz
  COMMAND ${GZIP} -9nkf ${generated}/changelog
  DEPENDS ${generated}/changelog
  VERBATIM)
list(APPEND package_files ${generated}/changelog.gz)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/korvel)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${KORVEL_PACKAGING_DIR}/copyright ${generated}/changelog.gz
        DESTINATION ${doc_dir})

install(FILES ${KORVEL_PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME korvel)

install(FILES ${PROJECT_SOURCE_DIR}/tools/cli/korvel-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME korvel-cli)

add_custom_target(korvel_package_files ALL DEPENDS ${package_files})

# The Debian package: build/korvel_<version>_<arch>.deb (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VENDOR "The Korvel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for KR - 100, KR - 200 and KR - 300 radios")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${KORVEL_PACKAGING_DIR}/description.txt)
set(CPACK_PACKAGE_HOMEPAGE_URL "https://korvel.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no program links but the window loads or looks for: the Qt plugin that
# draws its SVG icons, and the fonts its forms are measured in (the
# metric-compatible serif, and the one with the full-width punctuation).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
