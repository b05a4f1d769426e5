# The libraries of the Windows cross build, made from sources, since Debian
# packages them for Linux only: libcsv's one C file from its Debian source
# package (scripts/build-windows.sh fetches it), CLI11's headers (header
# only: the host's copy, staged on its own so no other host header is seen)
# and GoogleTest from Debian's googletest sources.
enable_language(C)

set(KORVEL_LIBCSV_SOURCE_DIR "" CACHE PATH "libcsv's unpacked source package")
if(NOT EXISTS "${KORVEL_LIBCSV_SOURCE_DIR}/libcsv.c")
  message(FATAL_ERROR "KORVEL_LIBCSV_SOURCE_DIR must name libcsv's sources (scripts/build-windows.sh fetches them)")
endif()
add_library(korvel_csv STATIC ${KORVEL_LIBCSV_SOURCE_DIR}/libcsv.c)
target_include_directories(korvel_csv SYSTEM PUBLIC ${KORVEL_LIBCSV_SOURCE_DIR})
set_target_properties(korvel_csv PROPERTIES C_STANDARD 99 UNITY_BUILD OFF)
target_compile_options(korvel_csv PRIVATE -w)
add_library(Csv::csv ALIAS korvel_csv)

set(KORVEL_CLI11_HEADERS /usr/include/CLI CACHE PATH "CLI11's header folder (libcli11-dev)")
set(cli11_staged ${CMAKE_BINARY_DIR}/deps/cli11/include)
file(COPY ${KORVEL_CLI11_HEADERS} DESTINATION ${cli11_staged})
add_library(korvel_cli11 INTERFACE)
target_include_directories(korvel_cli11 SYSTEM INTERFACE ${cli11_staged})
add_library(CLI11::CLI11 ALIAS korvel_cli11)

if(KORVEL_BUILD_TESTS)
  set(KORVEL_GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest's sources (googletest)")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KORVEL_GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/deps/googletest EXCLUDE_FROM_ALL)
  # Its own build names them GTest::gtest, GTest::gmock and so on.
  set_target_properties(gtest gtest_main gmock gmock_main PROPERTIES UNITY_BUILD OFF)
endif()

# The Linux programs the Windows tests run beside them under Wine
# (scripts/build-windows.sh builds them into build-windows/host): the
# simulated radio behind a Wine COM port, and the command line whose
# results the Windows one must match. Without them those tests are left out.
set(KORVEL_HOST_RADIOSIM "" CACHE FILEPATH "The Linux korvel-radiosim")
set(KORVEL_HOST_CLI "" CACHE FILEPATH "The Linux korvel-cli")
