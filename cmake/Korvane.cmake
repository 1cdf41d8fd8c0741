# Build settings shared by every target of the project.

# Warnings and common flags, applied through this interface library.
add_library(korvane_flags INTERFACE)
target_compile_options(korvane_flags INTERFACE -Wall -Wextra)
if(KORVANE_WERROR)
  target_compile_options(korvane_flags INTERFACE -Werror)
endif()
target_include_directories(korvane_flags INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(KORVANE_WINDOWS)
  # ANSI ("A") functions throughout; Windows XP as the oldest target for the headers.
  target_compile_definitions(korvane_flags INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
  # The .exe files must need no DLL beyond Windows' own.
  target_link_options(korvane_flags INTERFACE -static -static-libgcc -static-libstdc++)
  # Small programs: optimised for size, every function and datum in its own section so that the
  # linker drops what nothing uses.
  set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
  target_compile_options(korvane_flags INTERFACE -ffunction-sections -fdata-sections)
  target_link_options(korvane_flags INTERFACE -Wl,--gc-sections)
elseif(KORVANE_FUZZ)
  # Every library is instrumented for libFuzzer; the fuzz programs add its main when linking.
  target_compile_options(korvane_flags INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  target_link_options(korvane_flags INTERFACE -fsanitize=address,undefined)
elseif(KORVANE_SANITIZE)
  target_compile_options(korvane_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(korvane_flags INTERFACE -fsanitize=address,undefined)
endif()

# korvane_subsystem(NAME [DEPS libs...] [WIN_LIBS libs...]): the libraries of one source folder.
# DEPS are the libraries of exactly the folders its files include (scripts/check-layers checks it).
# Every *.cpp of the folder but *_win.cpp is portable logic and goes into korvane_NAME (built in both
# builds); every *_win.cpp is Win32 platform code and goes into korvane_NAME_win (Windows build only),
# which also links the Windows import libraries in WIN_LIBS. Test programs link all of them.
function(korvane_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;WIN_LIBS" ${ARGN})
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER portable EXCLUDE REGEX "_win\\.cpp$")
  file(GLOB win CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_win.cpp)
  set(lib korvane_${name})
  if(portable)
    add_library(${lib} STATIC ${portable})
    target_link_libraries(${lib} PUBLIC korvane_flags ${ARG_DEPS})
  else()
    add_library(${lib} INTERFACE)
    target_link_libraries(${lib} INTERFACE korvane_flags ${ARG_DEPS})
  endif()
  set_property(GLOBAL APPEND PROPERTY KORVANE_LIBRARIES ${lib})
  if(KORVANE_WINDOWS AND win)
    set(winlib korvane_${name}_win)
    add_library(${winlib} STATIC ${win})
    set(windeps)
    foreach(dep IN LISTS ARG_DEPS)
      if(TARGET ${dep}_win)
        list(APPEND windeps ${dep}_win)
      endif()
    endforeach()
    target_link_libraries(${winlib} PUBLIC ${lib} ${windeps} ${ARG_WIN_LIBS})
    set_property(GLOBAL APPEND PROPERTY KORVANE_LIBRARIES ${winlib})
  endif()
endfunction()

# korvane_release_program(TARGET): a program as users get it, without symbols or debug sections.
function(korvane_release_program target)
  target_link_options(${target} PRIVATE -s)
endfunction()

# korvane_program_runtime(TARGET): the runtime pieces linked straight into a program.
function(korvane_program_runtime target)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/toolkit/runtime/quiet_terminate.cpp)
endfunction()

# The version numbers, from the top-level CMakeLists.txt: a generated header that version.rc and
# src/toolkit/product.h include, and the two programs' manifests, which the resource files embed.
set(KORVANE_GENERATED_INCLUDE ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/resources/version_numbers.h.in
  ${KORVANE_GENERATED_INCLUDE}/version_numbers.h @ONLY)
foreach(manifest korvane postwright)
  configure_file(${PROJECT_SOURCE_DIR}/resources/${manifest}.manifest.in
    ${KORVANE_GENERATED_INCLUDE}/${manifest}.manifest @ONLY)
endforeach()
target_include_directories(korvane_flags INTERFACE ${KORVANE_GENERATED_INCLUDE})

# The product's name and the names it registers with Windows, read from their one definition in
# src/toolkit/product.h for what is not C++: an .nsh the installer includes and a shell file the
# scripts source (scripts/common.sh). A change to the header configures the build again.
set(product_header ${PROJECT_SOURCE_DIR}/src/toolkit/product.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${product_header})
foreach(fact KORVANE_PRODUCT_NAME kAutostartValueName kRunningMutexName kPublisherName
    kWebPageAddress)
  file(STRINGS ${product_header} lines REGEX "(#define ${fact}|[ *]${fact} =) \"[^\"]*\"")
  list(LENGTH lines count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "src/toolkit/product.h: ${fact} is to be defined once, on one line")
  endif()
  string(REGEX REPLACE ".*\"([^\"]*)\".*" "\\1" ${fact} "${lines}")
endforeach()
file(CONFIGURE OUTPUT ${KORVANE_GENERATED_INCLUDE}/product_facts.nsh CONTENT
"; Written by the build from src/toolkit/product.h.
!define PRODUCT \"${KORVANE_PRODUCT_NAME}\"
!define RUN_VALUE \"${kAutostartValueName}\"
!define MUTEX \"${kRunningMutexName}\"
!define PUBLISHER \"${kPublisherName}\"
")
file(CONFIGURE OUTPUT ${KORVANE_GENERATED_INCLUDE}/product_facts.sh CONTENT
"# Written by the build from src/toolkit/product.h.
product_name='${KORVANE_PRODUCT_NAME}'
autostart_value_name='${kAutostartValueName}'
running_mutex_name='${kRunningMutexName}'
publisher_name='${kPublisherName}'
web_page_address='${kWebPageAddress}'
version_short='${KORVANE_VERSION_SHORT}'
file_version='${KORVANE_VERSION_MAJOR}.${KORVANE_VERSION_MINOR}.${KORVANE_VERSION_PATCH}.${KORVANE_BUILD}'
")
