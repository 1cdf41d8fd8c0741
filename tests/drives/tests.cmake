# The steady poll's allocation guard: a native program of its own, as it replaces the global
# operator new to count every allocation of the process.
if(KORVANE_TESTS AND NOT KORVANE_WINDOWS)
  add_executable(korvane_poll_alloc_tests ${CMAKE_CURRENT_LIST_DIR}/poll_alloc_guard.cpp)
  target_link_libraries(korvane_poll_alloc_tests PRIVATE korvane_test_support GTest::gtest_main
    ${libs})
  gtest_discover_tests(korvane_poll_alloc_tests
    PROPERTIES ENVIRONMENT "KORVANE_TEST_DATA=${KORVANE_TEST_DATA};KORVANE_TEST_TMP=${KORVANE_TEST_TMP}"
    DISCOVERY_TIMEOUT 60)
endif()
