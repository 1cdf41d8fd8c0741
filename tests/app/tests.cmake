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

# DLLs planted beside the programs, and a program that loads them by bare name, for
# planted_dll_wintest.cpp.
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET korvane_wintests AND TARGET Postwright)
  foreach(name powrprof winmm mapi32)
    add_library(korvane_planted_${name} MODULE ${CMAKE_CURRENT_LIST_DIR}/planted_dll.cpp)
    target_link_libraries(korvane_planted_${name} PRIVATE korvane_flags)
    set_target_properties(korvane_planted_${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
    add_dependencies(korvane_wintests korvane_planted_${name})
  endforeach()
  add_executable(korvane_planted_probe ${CMAKE_CURRENT_LIST_DIR}/planted_probe.cpp)
  target_link_libraries(korvane_planted_probe PRIVATE korvane_flags)
  set_target_properties(korvane_planted_probe PROPERTIES OUTPUT_NAME planted_probe
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted-probe)
  add_dependencies(korvane_wintests korvane_planted_probe)
  get_target_property(postwright_dir Postwright BINARY_DIR)
  file(RELATIVE_PATH postwright_rel ${CMAKE_BINARY_DIR} ${postwright_dir}/Postwright.exe)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/planted_dll_wintest.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS KORVANE_PLANTED_DIR="planted"
    KORVANE_PLANTED_PROBE_EXE="planted-probe/planted_probe.exe"
    KORVANE_POSTWRIGHT_EXE="${postwright_rel}" KORVANE_MAPI_CAPTURE_DLL="mailer-test/mapi_capture.dll")
endif()

# The README's pictures (docs_images_wintest.cpp) come from the sim build; scripts/docs-images
# copies them from docs-images/ into docs/.
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET korvane_wintests AND TARGET KorvaneMonitorSim)
  add_dependencies(korvane_wintests KorvaneMonitorSim)
endif()

# The metrics file read back by prometheus_client's own parser (Debian's python3).
if(NOT KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET korvane_tests)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/metrics_format_test.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS KORVANE_PYTHON="/usr/bin/python3"
    KORVANE_CHECK_METRICS="${CMAKE_CURRENT_LIST_DIR}/check_metrics.py")
endif()

# The collectors' whole-program run: the metrics file under a reading loop and the event log
# through Wine's trace (collectors_run.sh, collectors_run_win.cpp).
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET KorvaneMonitorSim)
  add_executable(korvane_collectors_run ${CMAKE_CURRENT_LIST_DIR}/collectors_run_win.cpp)
  target_link_libraries(korvane_collectors_run PRIVATE korvane_test_support gtest_main)
  set_target_properties(korvane_collectors_run PROPERTIES RUNTIME_OUTPUT_DIRECTORY
    ${CMAKE_BINARY_DIR}/collectors)
  add_dependencies(korvane_collectors_run KorvaneMonitorSim)
  korvane_add_wine_test(app.collectors_run ${CMAKE_CURRENT_LIST_DIR}/collectors_run.sh
    $<TARGET_FILE:korvane_collectors_run> ${CMAKE_CURRENT_LIST_DIR}/check_metrics.py)
  set_tests_properties(app.collectors_run PROPERTIES TIMEOUT 300)
endif()
