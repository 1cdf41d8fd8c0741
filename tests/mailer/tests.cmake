# Postwright as a program: its imports and manifest, and real runs under Wine against a stand-in
# mail client (mapi_capture.dll) registered in the test prefix.
if(NOT KORVANE_WINDOWS OR NOT TARGET Postwright)
  return()
endif()

add_test(NAME mailer.postwright_imports
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_imports.sh $<TARGET_FILE:Postwright>)

if(KORVANE_TESTS AND TARGET korvane_wintests)
  add_library(korvane_mapi_capture MODULE ${CMAKE_CURRENT_LIST_DIR}/mapi_capture.cpp)
  target_link_libraries(korvane_mapi_capture PRIVATE korvane_flags)
  set_target_properties(korvane_mapi_capture PROPERTIES PREFIX "" OUTPUT_NAME mapi_capture
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/mailer-test)
  add_dependencies(korvane_wintests korvane_mapi_capture Postwright)
  # Paths below the build folder, which the test finds through KORVANE_BUILD_DIR.
  get_target_property(postwright_dir Postwright BINARY_DIR)
  file(RELATIVE_PATH postwright_rel ${CMAKE_BINARY_DIR} ${postwright_dir}/Postwright.exe)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/postwright_wintest.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS KORVANE_POSTWRIGHT_EXE="${postwright_rel}"
    KORVANE_MAPI_CAPTURE_DLL="mailer-test/mapi_capture.dll")
endif()
