# Windows-side tests: GoogleTest cross-built with the mingw toolchain, run under Wine by ctest.
# One ctest fixture creates a fresh private Wine prefix (and a display and sound sink when needed)
# per ctest run; its cleanup ends every Wine process of that prefix.

set(KORVANE_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(KORVANE_WINE_DIR ${CMAKE_CURRENT_LIST_DIR})

macro(korvane_setup_wine_tests)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  add_test(NAME wine.setup COMMAND ${KORVANE_WINE_DIR}/wine-setup.sh ${KORVANE_WINE_STATE})
  set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine RESOURCE_LOCK wine TIMEOUT 180)
  add_test(NAME wine.cleanup COMMAND ${KORVANE_WINE_DIR}/wine-cleanup.sh ${KORVANE_WINE_STATE})
  set_tests_properties(wine.cleanup PROPERTIES FIXTURES_CLEANUP wine RESOURCE_LOCK wine)
endmacro()

# korvane_add_wine_test(NAME COMMAND...): a test that runs inside the fixture's environment
# (WINEPREFIX, DISPLAY, sound) — a Windows program, or a script that calls wine itself.
function(korvane_add_wine_test name)
  add_test(NAME ${name} COMMAND ${KORVANE_WINE_DIR}/wine-run.sh ${KORVANE_WINE_STATE} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 600
    ENVIRONMENT "KORVANE_TEST_DATA=${KORVANE_TEST_DATA};KORVANE_TEST_TMP=${KORVANE_TEST_TMP};KORVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# One ctest test per GoogleTest suite of the Windows test program, found by scanning its sources,
# labelled with the folder under tests/ of each file that holds the suite.
function(korvane_register_wine_tests target)
  get_target_property(srcs ${target} SOURCES)
  get_target_property(srcdir ${target} SOURCE_DIR)
  if(NOT srcs)
    return()
  endif()
  set(suites)
  foreach(src IN LISTS srcs)
    if(NOT IS_ABSOLUTE ${src})
      set(src ${srcdir}/${src})
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${src})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/tests ${src})
    string(REGEX REPLACE "/.*" "" folder "${relative}")
    file(STRINGS ${src} lines REGEX "^[ \t]*TEST(_F|_P)?\\(")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*TEST(_F|_P)?\\([ \t]*([A-Za-z0-9_]+).*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
      list(APPEND folders_of_${suite} ${folder})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite IN LISTS suites)
    korvane_add_wine_test(win.${suite} wine $<TARGET_FILE:${target}>
      "--gtest_filter=${suite}.*:*/${suite}.*" --gtest_color=no)
    list(REMOVE_DUPLICATES folders_of_${suite})
    set_property(TEST win.${suite} APPEND PROPERTY LABELS ${folders_of_${suite}})
  endforeach()
endfunction()
