#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test:
#   native core and tool tests, the same under ASan+UBSan, the fuzz targets
#   for a bounded time, the Windows tests of the x86_64 build under Wine, and
#   the i686 (shipped) build with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh
jobs=$(nproc)
fuzz_seconds=${LUMBO_FUZZ_SECONDS:-30}

step() { printf '\n==== %s\n' "$*"; }

step "native build and tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native -j "$jobs" --output-on-failure

step "native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMBO_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan -j "$jobs" --output-on-failure

step "fuzz targets, ${fuzz_seconds} s each"
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMBO_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
bash scripts/run-fuzzers.sh build/fuzz "$fuzz_seconds"

step "Windows x86_64 build, tests under Wine"
cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DLUMBO_TOOL="$root/build/native/tools/lumbo/lumbo" >/dev/null
cmake --build build/win64 -j "$jobs"
bash scripts/with-wine.sh build/win64/wineprefix \
  ctest --test-dir build/win64 -j "$jobs" --output-on-failure

step "Windows i686 build (the shipped player)"
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DLUMBO_TOOL="$root/build/native/tools/lumbo/lumbo" >/dev/null
cmake --build build/win32 -j "$jobs"

step "all tests passed"
