#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test through ctest:
# once in the normal build, and once more for the engine and the CLI built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and the tests that run repairs at once
# (through the library and through tessaly-cli -j) under ThreadSanitizer; then runs each
# fuzz target for a short while from its seed corpus; last, cross-builds the engine and
# the CLI for Windows and runs their tests under Wine (TESSALY_SKIP_WINDOWS=1 leaves that
# out; TESSALY_SKIP_SANITIZERS, TESSALY_SKIP_TSAN and TESSALY_SKIP_FUZZ the others).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)
build=${BUILD_DIR:-build-test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$jobs"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$jobs"

if [ "${TESSALY_SKIP_SANITIZERS:-0}" != 1 ]; then
  asan=${ASAN_BUILD_DIR:-$build-asan}
  cmake -S . -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_SANITIZE=ON \
    -DTESSALY_BUILD_APP=OFF -DTESSALY_BUILD_BENCH=OFF
  cmake --build "$asan" -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$asan" --output-on-failure -j"$jobs"
fi

# Only what the parallel tests need: the engine, tessaly-cli and the parallel tests.
if [ "${TESSALY_SKIP_TSAN:-0}" != 1 ]; then
  tsan=${TSAN_BUILD_DIR:-$build-tsan}
  cmake -S . -B "$tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_THREAD_SANITIZER=ON \
    -DTESSALY_BUILD_APP=OFF -DTESSALY_BUILD_BENCH=OFF
  cmake --build "$tsan" -j"$jobs" --target parallel_tests tessaly-cli
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir "$tsan" -R '^Parallel' --no-tests=error --output-on-failure -j"$jobs"
fi

if [ "${TESSALY_SKIP_FUZZ:-0}" != 1 ]; then
  FUZZ_DIR=${FUZZ_BUILD_DIR:-$build-fuzz} bash scripts/fuzz.sh "${TESSALY_FUZZ_SECONDS:-45}"
fi

if [ "${TESSALY_SKIP_WINDOWS:-0}" != 1 ]; then
  WINDOWS_BUILD_DIR=${WINDOWS_BUILD_DIR:-$build-windows} bash scripts/test-windows.sh
fi
