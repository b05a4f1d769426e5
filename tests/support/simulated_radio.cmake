# The simulated radio in-process: the one fake serial port on simulated
# time, before the simulated radio's protocol or another radio side. The
# tests and the fuzz checks both use it, so both include this file.
if(NOT TARGET korvel_test_radio)
  add_library(korvel_test_radio STATIC ${CMAKE_CURRENT_LIST_DIR}/simulated_clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/simulated_port.cpp)
  target_include_directories(korvel_test_radio PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(korvel_test_radio PUBLIC korvel_link korvel_radiosim)
endif()
