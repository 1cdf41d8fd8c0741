# Shared by the scripts: build folders and the two CMake configurations.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_dir=$root/build/native
windows_dir=$root/build/windows
jobs=$(nproc)

configure_native() {
  [ -f "$native_dir/build.ninja" ] ||
    cmake -S "$root" -B "$native_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON >/dev/null
  # For editors and clang tools: the native build's compile commands at the repository root.
  ln -sfn build/native/compile_commands.json "$root/compile_commands.json"
}

configure_windows() {
  [ -f "$windows_dir/build.ninja" ] ||
    cmake -S "$root" -B "$windows_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
}

fuzz_dir=$root/build/fuzz

# The libFuzzer targets: clang, every library instrumented, no other test.
configure_fuzz() {
  [ -f "$fuzz_dir/build.ninja" ] ||
    CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKORVANE_FUZZ=ON -DKORVANE_TESTS=OFF -DKORVANE_SANITIZE=OFF >/dev/null
}
