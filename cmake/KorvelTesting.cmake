# korvel_add_test(NAME name SOURCES ... LIBS ... [QT] [LABELS ...])
# Builds one GoogleTest executable and registers its cases with CTest.
# Every test links the shared support library. QT tests also get the Qt
# half of it and two files that must be linked whole: one puts them on the
# offscreen platform before main (a list in the ENVIRONMENT property does
# not survive test discovery), one keeps fontconfig's process-lifetime cache
# out of the leak reports.
function(korvel_add_test)
  cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  set(sources ${T_SOURCES})
  if(T_QT)
    list(APPEND sources ${PROJECT_SOURCE_DIR}/tests/support/qt_offscreen.cpp
                        ${PROJECT_SOURCE_DIR}/tests/support/leak_suppressions.cpp)
  endif()
  add_executable(${T_NAME} ${sources})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} korvel_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  if(T_QT)
    target_link_libraries(${T_NAME} PRIVATE korvel_test_support_qt)
  endif()
  set(props ENVIRONMENT "KORVEL_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()
include(GoogleTest)
