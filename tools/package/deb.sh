#!/usr/bin/env bash
# deb.sh OUTDIR: builds the player's Debian package, zelk-player_<version>_<arch>.deb,
# into OUTDIR. Release build in a build folder of its own (ZELK_PACKAGE_BUILD_DIR,
# build-package/ by default) with Debian's hardening flags, only the targets the
# package ships (no tests, no benchmarks); the dependencies come from
# dpkg-shlibdeps.
source "$(dirname "${BASH_SOURCE[0]}")/../setup/common.sh"

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
mkdir -p "$1"
OUTDIR=$(cd "$1" && pwd)
PACKAGE_BUILD_DIR=${ZELK_PACKAGE_BUILD_DIR:-$ROOT/build-package}

# On a fresh machine: what the build needs, and dpkg-shlibdeps, fakeroot and
# file for CPack (already there when the test command runs this).
install_packages "${BUILD_PACKAGES[@]}" dpkg-dev fakeroot file
use_compiler_cache
# Debian's flags (fortified, stack protector, relro, now), without -g: the
# package is stripped, and debug information would only cost compile time.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
CFLAGS=$(dpkg-buildflags --get CFLAGS) CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
  cmake -S "$ROOT" -B "$PACKAGE_BUILD_DIR" -G "$(generator_for "$PACKAGE_BUILD_DIR")" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DZELK_BUILD_TESTS=OFF -DZELK_BUILD_BENCH=OFF \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$PACKAGE_BUILD_DIR" -j "$JOBS" --target zelk_shipped
(cd "$PACKAGE_BUILD_DIR" && cpack -G DEB -B "$PACKAGE_BUILD_DIR/package-out" >/dev/null)
package=$(ls "$PACKAGE_BUILD_DIR"/package-out/zelk-player_*.deb)
cp "$package" "$OUTDIR/"
echo "$OUTDIR/$(basename "$package")"
