# The programs import only Windows' own DLLs.
if(KORVANE_WINDOWS AND KORVANE_TESTS)
  set(korvane_programs $<TARGET_FILE:KorvaneMonitor>)
  if(TARGET KorvaneMonitorSim)
    list(APPEND korvane_programs $<TARGET_FILE:KorvaneMonitorSim>)
  endif()
  if(TARGET Postwright)
    list(APPEND korvane_programs $<TARGET_FILE:Postwright>)
  endif()
  add_test(NAME app.system_dlls_only COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_imports.sh ${korvane_programs})
endif()

# The release program never contains the simulated driver or the recording power services.
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET KorvaneMonitorSim)
  add_test(NAME app.release_without_simulation COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_no_simulation.sh
    $<TARGET_FILE:KorvaneMonitor> $<TARGET_FILE:KorvaneMonitorSim>)
endif()
