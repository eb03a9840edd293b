#!/usr/bin/env bash
# Cross-builds the engine (Mendrel.dll), tessaly-cli.exe and their tests for 64-bit
# Windows with mingw-w64, then runs every test under Wine through ctest, the check that
# the DLL exports by ordinal only among them; last, makes the zip for Windows users
# (build-windows/packages/tessaly-VERSION-win64.zip) and checks it. Needs no window system.
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

# The zip for Windows users holds exactly these files, and its program runs from the
# unpacked folder with nothing else beside it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
top=tessaly-$version-win64
rm -rf "$build/packages"
cpack --config "$build/CPackConfig.cmake" -B "$build/packages" >"$build/cpack.log" ||
  { cat "$build/cpack.log"; exit 1; }
zip=$build/packages/$top.zip
expected="$top/COPYING.txt
$top/Mendrel.dll
$top/README.txt
$top/include/mendrel.h
$top/lib/libMendrel.dll.a
$top/tessaly-cli.exe"
packed=$(/usr/bin/python3 -c 'import sys, zipfile
print("\n".join(sorted(n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/"))))' "$zip")
if [ "$packed" != "$expected" ]; then
  echo "The Windows zip holds other files than expected (< expected, > packed):"
  diff <(echo "$expected") <(echo "$packed")
  exit 1
fi
unpacked=$(mktemp -d)
/usr/bin/python3 -m zipfile -e "$zip" "$unpacked"
reported=$("$build/wine-run" "$unpacked/$top/tessaly-cli.exe" --version </dev/null | tr -d '\r')
rm -rf "$unpacked"
if [ "$reported" != "tessaly-cli $version" ]; then
  echo "tessaly-cli.exe from the zip reports '$reported', expected 'tessaly-cli $version'"
  exit 1
fi
echo "Windows zip: $zip ($(stat -c %s "$zip") bytes)"
