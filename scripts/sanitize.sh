#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs the whole test suite there.
#
#   scripts/sanitize.sh [extra ctest arguments]
#
# Environment: BUILD_DIR (default <repo>/build-asan), JOBS (default 2),
# CC/CXX to choose the compiler, CMAKE_ARGS for further configure options
# (e.g. CMAKE_ARGS=-DLEXMORA_BUILD_GUI=OFF).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$repo/build-asan}"
jobs="${JOBS:-2}"

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [[ -f "$build/CMakeCache.txt" ]]; then generator=(); fi  # keep the generator of an existing tree

cmake -S "$repo" -B "$build" "${generator[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXMORA_SANITIZE=ON \
  -DLEXMORA_BUILD_TESTS=ON \
  -DLEXMORA_BUILD_BENCH=OFF \
  -DLEXMORA_BUILD_FUZZ=OFF \
  ${CMAKE_ARGS:-}
# Keep going past a failed target so that the tests that did build still run;
# the script fails at the end if the build did.
keep_going=()
if grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja' "$build/CMakeCache.txt"; then keep_going=(-- -k 0)
else keep_going=(-- -k); fi
build_status=0
cmake --build "$build" --parallel "$jobs" "${keep_going[@]}" || build_status=$?

# Leaks are reported too; any sanitizer report ends the test with an error.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$repo/scripts/lsan-system.supp:print_suppressions=0}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

cd "$build"
test_status=0
ctest --output-on-failure --parallel "$jobs" "$@" || test_status=$?

if [[ $build_status -ne 0 ]]; then echo "sanitize.sh: the build failed (status $build_status)" >&2; fi
if [[ $test_status -ne 0 ]]; then echo "sanitize.sh: tests failed (status $test_status)" >&2; fi
[[ $build_status -eq 0 && $test_status -eq 0 ]]
