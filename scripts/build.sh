#!/usr/bin/env bash
# Builds the native core with its tests, and the Windows program with its Wine
# tests, into build/native and build/win (or $QUILLANE_BUILD). The benchmarks
# only with QUILLANE_BENCHMARKS=ON (the bench scripts set it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
build="${QUILLANE_BUILD:-$root/build}"
# The benchmark switch is kept in the build folder once given.
bench=()
if [[ -n "${QUILLANE_BENCHMARKS:-}" ]]; then bench=(-DQUILLANE_BENCHMARKS="$QUILLANE_BENCHMARKS"); fi
# Ninja when there is one (it starts the next step sooner), for new build folders only.
generator=()
if command -v ninja >/dev/null && [[ ! -f "$build/native/CMakeCache.txt" ]]; then generator=(-G Ninja); fi
cmake -S "$root" -B "$build/native" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${bench[@]}" >/dev/null
generator=()
if command -v ninja >/dev/null && [[ ! -f "$build/win/CMakeCache.txt" ]]; then generator=(-G Ninja); fi
cmake -S "$root" -B "$build/win" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "${bench[@]}" >/dev/null
# Both sides at once: the native link and the sanitizer-heavy compiles leave
# cores idle that the Windows side fills.
cmake --build "$build/native" -j "$jobs" &
native=$!
status=0
cmake --build "$build/win" -j "$jobs" || status=$?
wait "$native" || status=$?
exit "$status"
