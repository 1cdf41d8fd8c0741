# Shared by the scripts: build folders, the CMake configurations and the answer to --help.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_dir=$root/build/native
windows_dir=$root/build/windows
jobs=$(nproc)

# `-h` or `--help` among a script's arguments: prints the script's opening comment, which says how
# to use it, and ends the script before it builds or installs anything.
answer_help() {
  local arg
  for arg in "$@"; do
    case $arg in
    -h | --help)
      sed -n '2,/^[^#]/ s/^# \{0,1\}//p' "$0"
      exit 0
      ;;
    esac
  done
}

configure_native() {
  [ -f "$native_dir/build.ninja" ] ||
    cmake -S "$root" -B "$native_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON >/dev/null
  "$root/scripts/compile-commands"
}

configure_windows() {
  [ -f "$windows_dir/build.ninja" ] ||
    cmake -S "$root" -B "$windows_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  "$root/scripts/compile-commands"
}

# The product's name and the names it registers with Windows ($product_name,
# $autostart_value_name, $running_mutex_name), as the configured Windows build read them from
# src/toolkit/product.h.
load_product_facts() {
  . "$windows_dir/generated/product_facts.sh"
}

fuzz_dir=$root/build/fuzz

# The libFuzzer targets: clang, every library instrumented, no other test.
configure_fuzz() {
  [ -f "$fuzz_dir/build.ninja" ] ||
    CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKORVANE_FUZZ=ON -DKORVANE_TESTS=OFF -DKORVANE_SANITIZE=OFF >/dev/null
}
