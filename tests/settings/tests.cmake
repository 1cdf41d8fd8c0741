# Settings tests beyond the GoogleTest programs: the string table linked into the Windows test
# program, and a check of the autostart value with Wine's own registry tool.
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET korvane_wintests)
  target_sources(korvane_wintests PRIVATE ${PROJECT_SOURCE_DIR}/resources/strings.rc)

  add_executable(korvane_autostart_tool ${CMAKE_CURRENT_LIST_DIR}/autostart_tool.cpp)
  target_link_libraries(korvane_autostart_tool PRIVATE korvane_settings korvane_settings_win)
  korvane_add_wine_test(settings.autostart_reg_query
    ${CMAKE_CURRENT_LIST_DIR}/autostart_reg_query.sh $<TARGET_FILE:korvane_autostart_tool>)
endif()
