# The soak: the sim build under Wine for a while, with alarms, countdowns and resource samples
# (soak_driver_win.cpp). scripts/soak runs it for any number of minutes; ctest for two.
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET KorvaneMonitorSim)
  add_executable(korvane_soak_action WIN32 ${CMAKE_CURRENT_LIST_DIR}/soak_action_win.cpp)
  target_link_libraries(korvane_soak_action PRIVATE korvane_flags)
  set_target_properties(korvane_soak_action PROPERTIES OUTPUT_NAME soak_action
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/soak)
  add_executable(korvane_soak ${CMAKE_CURRENT_LIST_DIR}/soak_driver_win.cpp)
  target_link_libraries(korvane_soak PRIVATE korvane_test_support psapi)
  set_target_properties(korvane_soak PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/soak)
  add_dependencies(korvane_soak korvane_soak_action KorvaneMonitorSim)
  korvane_add_wine_test(soak.two_minutes wine $<TARGET_FILE:korvane_soak> 2)
  set_tests_properties(soak.two_minutes PROPERTIES TIMEOUT 300)
endif()
