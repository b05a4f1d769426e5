# korvel_add_test(NAME name SOURCES ... LIBS ... [QT] [LABELS ...])
# Builds one GoogleTest executable and registers its cases with CTest.
# QT tests get a support file that puts them on the offscreen platform
# (a list in the ENVIRONMENT property does not survive test discovery, so
# only one variable is passed that way).
function(korvel_add_test)
  cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  set(sources ${T_SOURCES})
  if(T_QT)
    list(APPEND sources ${PROJECT_SOURCE_DIR}/tests/support/qt_offscreen.cpp)
  endif()
  add_executable(${T_NAME} ${sources})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(props ENVIRONMENT "KORVEL_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()
include(GoogleTest)
