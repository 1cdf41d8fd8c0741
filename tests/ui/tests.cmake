# The windows' pictures, icons and cursor, linked into the Windows test program.
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET korvane_wintests)
  target_sources(korvane_wintests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/about_resources.rc)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/about_resources.rc PROPERTIES
    INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/resources)
endif()
