# korvel_add_test(NAME name SOURCES ... LIBS ... [QT] [LABELS ...])
# Builds one GoogleTest executable and registers its cases with CTest.
# QT tests run on the offscreen platform; leak checking is off for them
# because Qt and fontconfig keep process-lifetime allocations.
function(korvel_add_test)
  cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(env "KORVEL_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(T_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen" "ASAN_OPTIONS=detect_leaks=0")
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" LABELS "${T_LABELS}")
endfunction()
include(GoogleTest)
