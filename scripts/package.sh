#!/usr/bin/env bash
# Builds the Debian packages tessaly, tessaly-cli, libmendrel1 and libmendrel-dev (Release,
# with Debian's hardening flags, installed under /usr) into build-package/packages/.
# Install them with: sudo apt-get install ./build-package/packages/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${BUILD_DIR:-build-package}
# The compiler and linker flags Debian builds its own packages with (CMake reads no CPPFLAGS).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
rm -rf "$build/packages"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/packages"
rm -rf "$build/packages/_CPack_Packages"
echo
ls -l "$build/packages"/*.deb
