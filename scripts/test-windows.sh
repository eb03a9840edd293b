#!/usr/bin/env bash
# Cross-builds the engine (Mendrel.dll), tessaly-cli.exe and their tests for 64-bit
# Windows with mingw-w64, then runs every test under Wine through ctest, the check that
# the DLL exports by ordinal only among them. Needs no window system.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=${JOBS:-$(nproc)}
build=${WINDOWS_BUILD_DIR:-build-windows}
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release
# The build's Wine prefix is made once, while the compiler runs.
"$build/wine-run" cmd /c exit >/dev/null 2>&1 &
prefix=$!
cmake --build "$build" -j"$jobs"
wait "$prefix" || true
status=0
ctest --test-dir "$build" --output-on-failure -j"$jobs" || status=$?
# Leave no Wine server behind for the next step.
WINEPREFIX="$PWD/$build/wineprefix" wineserver -k 2>/dev/null || true
exit $status
