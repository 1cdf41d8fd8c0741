# The pictures, icons and cursor the program's windows load, linked into the Windows
# test program.
if(KORVANE_WINDOWS AND KORVANE_TESTS AND TARGET korvane_wintests)
  set(ui_test_resources ${CMAKE_CURRENT_LIST_DIR}/about_resources.rc
    ${CMAKE_CURRENT_LIST_DIR}/disk_page_resources.rc)
  target_sources(korvane_wintests PRIVATE ${ui_test_resources})
  file(GLOB ui_test_images CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/images/*)
  set_source_files_properties(${ui_test_resources} PROPERTIES
    INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/resources
    OBJECT_DEPENDS "${ui_test_images}")
endif()
