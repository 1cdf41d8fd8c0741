# The purge benchmark writes its large logs under the build tree and removes them when done.
if(TARGET korvane_bench)
  target_compile_definitions(korvane_bench PRIVATE KORVANE_BENCH_TMP="${CMAKE_BINARY_DIR}/bench-tmp")
endif()
