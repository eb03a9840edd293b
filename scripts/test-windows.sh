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
# The build's Wine prefix is made once, while the compiler runs; its server is ended
# when the tests are over (it would stay a minute).
"$build/wine-run" cmd /c exit </dev/null >/dev/null 2>&1 &
prefix=$!
trap 'WINEPREFIX="$PWD/$build/wineprefix" wineserver -k 2>/dev/null || true' EXIT
cmake --build "$build" -j"$jobs"
wait "$prefix" || true
ctest --test-dir "$build" --output-on-failure -j"$jobs"
