#!/bin/sh
# Cross-builds the Qt-free core with mingw-w64 and runs its tests under Wine,
# in a throw-away Wine prefix (headless; no display needed).
#
#   tools/ci/wine-core-tests.sh [BUILD_DIR]      (default: build-wine)
#
# Needs: cmake, ninja-build (or make), g++-mingw-w64-x86-64-posix, wine, wine64,
# googletest (sources in /usr/src/googletest).
set -eu

SOURCE_DIR=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${1:-build-wine}
JOBS=${JOBS:-2}

GENERATOR=
if command -v ninja >/dev/null 2>&1; then GENERATOR="-G Ninja"; fi

# shellcheck disable=SC2086
cmake -S "$SOURCE_DIR" -B "$BUILD_DIR" $GENERATOR \
  -DCMAKE_TOOLCHAIN_FILE="$SOURCE_DIR/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELK_CORE_ONLY=ON -DZELK_BUILD_BENCH=OFF
cmake --build "$BUILD_DIR" -j "$JOBS"

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zelk-wine-XXXXXX")
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko install prompts
export DISPLAY=                               # headless
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT INT TERM

# One persistent wineserver for the whole run, so the services wineboot
# starts stay up and every test process starts quickly; killed on exit.
wineserver -p
if command -v wineboot >/dev/null 2>&1; then
  wineboot -i >/dev/null 2>&1 || true
else
  wine wineboot -i >/dev/null 2>&1 || true
fi

cd "$BUILD_DIR"
ctest --output-on-failure -j "$JOBS"
