# Build settings shared by every target of the project.

# Warnings and common flags, applied through this interface library.
add_library(korvane_flags INTERFACE)
target_compile_options(korvane_flags INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_include_directories(korvane_flags INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(KORVANE_WINDOWS)
  # ANSI ("A") functions throughout; Windows XP as the oldest target for the headers.
  target_compile_definitions(korvane_flags INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
  # The .exe files must need no DLL beyond Windows' own.
  target_link_options(korvane_flags INTERFACE -static -static-libgcc -static-libstdc++)
elseif(KORVANE_SANITIZE)
  target_compile_options(korvane_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(korvane_flags INTERFACE -fsanitize=address,undefined)
endif()

# korvane_library(NAME SOURCES... [LIBS libs...]): a static library of the project.
function(korvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC korvane_flags ${ARG_LIBS})
endfunction()
