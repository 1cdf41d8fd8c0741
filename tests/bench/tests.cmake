# The poll benchmark under Wine: one poll of one disk through the real components and its floor
# (scripts/bench runs it; it is no ctest test, as its figures are read, not asserted).
if(KORVANE_WINDOWS)
  add_executable(korvane_poll_bench ${CMAKE_CURRENT_LIST_DIR}/poll_bench_win.cpp)
  set_target_properties(korvane_poll_bench PROPERTIES OUTPUT_NAME poll_bench
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(korvane_poll_bench PRIVATE korvane_test_support ${libs} gdi32 user32 shell32)
endif()

# The running program's settings window and exit timed from outside, and a plain window program
# as the start-up's baseline (scripts/bench runs it).
if(KORVANE_WINDOWS)
  add_executable(korvane_window_bench ${CMAKE_CURRENT_LIST_DIR}/window_bench_win.cpp)
  set_target_properties(korvane_window_bench PROPERTIES OUTPUT_NAME window_bench
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(korvane_window_bench PRIVATE korvane_toolkit_win user32 gdi32)
endif()
