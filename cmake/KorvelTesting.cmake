# korvel_add_test(NAME name SOURCES ... LIBS ... [QT] [GMOCK] [LABELS ...] [EMULATOR command...])
# Builds one GoogleTest executable and registers its cases with CTest; a
# cross build runs them (and lists them) through EMULATOR instead of the
# toolchain's emulator when it is given.
# Every test links the shared support library; GMOCK tests also link
# GoogleMock. QT tests get the Qt half of the support library and a file
# that must be linked whole: it keeps fontconfig's process-lifetime cache
# out of the leak reports.
# Tests labelled slow (real-time, line-paced) are started first, so the
# quick ones run beside them.
function(korvel_add_test)
  cmake_parse_arguments(T "QT;GMOCK" "NAME" "SOURCES;LIBS;LABELS;EMULATOR" ${ARGN})
  set(sources ${T_SOURCES})
  if(T_QT)
    list(APPEND sources ${PROJECT_SOURCE_DIR}/tests/support/leak_suppressions.cpp)
  endif()
  add_executable(${T_NAME} ${sources})
  if(T_EMULATOR)
    set_target_properties(${T_NAME} PROPERTIES CROSSCOMPILING_EMULATOR "${T_EMULATOR}")
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} korvel_test_support GTest::gtest GTest::gtest_main)
  if(T_GMOCK)
    target_link_libraries(${T_NAME} PRIVATE GTest::gmock)
  endif()
  if(T_QT)
    target_link_libraries(${T_NAME} PRIVATE korvel_test_support_qt)
  endif()
  set(props ENVIRONMENT "KORVEL_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  if("slow" IN_LIST T_LABELS)
    list(APPEND props COST 1000)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()
include(GoogleTest)
