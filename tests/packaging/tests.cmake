# What users get: the help file's pages without broken links, the release programs within their
# size budgets and with version resources, the installer and uninstaller.
if(NOT KORVANE_WINDOWS AND KORVANE_TESTS)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME packaging.help_links COMMAND Python3::Interpreter
    ${CMAKE_CURRENT_LIST_DIR}/check_help_links.py ${PROJECT_SOURCE_DIR}/resources/help)
  # Debian's python3, which has python3-yaml (scripts/setup).
  add_test(NAME packaging.collector_docs COMMAND /usr/bin/python3
    ${CMAKE_CURRENT_LIST_DIR}/check_collector_docs.py ${PROJECT_SOURCE_DIR})
endif()
if(NOT KORVANE_WINDOWS)
  return()
endif()

if(KORVANE_TESTS AND TARGET KorvaneMonitor AND TARGET Postwright)
  add_test(NAME packaging.size_budget COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_sizes.sh
    $<TARGET_FILE:KorvaneMonitor> 655360 $<TARGET_FILE:Postwright> 163840)
endif()

if(KORVANE_TESTS AND TARGET korvane_wintests)
  target_link_libraries(korvane_wintests PRIVATE version)
  add_dependencies(korvane_wintests KorvaneMonitor Postwright)
  get_target_property(postwright_dir Postwright BINARY_DIR)
  file(RELATIVE_PATH postwright_rel ${CMAKE_BINARY_DIR} ${postwright_dir}/Postwright.exe)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/version_resource_wintest.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS KORVANE_POSTWRIGHT_PATH="${postwright_rel}")
endif()

# The installer and uninstaller, silently, in the Wine test prefix.
if(KORVANE_TESTS AND TARGET korvane_installer)
  korvane_add_wine_test(packaging.install_uninstall
    ${CMAKE_CURRENT_LIST_DIR}/install_uninstall.sh
    ${CMAKE_BINARY_DIR}/package/Korvane-${KORVANE_VERSION_SHORT}-setup.exe
    ${PROJECT_SOURCE_DIR}/installer/winget_manifests.sh ${KORVANE_GENERATED_INCLUDE}/product_facts.sh)
endif()
