# Shared by the set-up scripts: privilege, package installation and the build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${ZELK_BUILD_DIR:-$ROOT/build}
JOBS=${ZELK_JOBS:-$(nproc 2>/dev/null || echo 2)}

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

# Packages needed to build and run the player shell and the preferences module.
BUILD_PACKAGES=(
  build-essential cmake ninja-build ccache lld pkg-config binutils
  qtbase5-dev qtbase5-dev-tools qttools5-dev-tools qttools5-dev qttranslations5-l10n
  libxml2-dev libboost-thread-dev libsqlite3-dev libicu-dev
  libgtest-dev googletest libbenchmark-dev fonts-dejavu-core
  libmpv-dev libavfilter-dev
)
# Extra packages for the full test run: the 64-bit Windows cross compiler (only
# the one toolchain the cross build uses, not the four of mingw-w64) and Wine,
# clang with its runtime libraries for the libFuzzer targets, FFmpeg, with
# which the playback tests make their media, and the D-Bus daemon that the
# screen-saver test starts as its own private session bus, and the virtual X
# display the video-output tests draw on, and the FUSE file system (its Python
# binding and fusermount3) with which a test makes a folder that does not answer.
TEST_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 sqlite3 clang libclang-rt-14-dev ffmpeg dbus-daemon xvfb xauth
  python3-fuse fuse3)
# For the playback benchmark only (run by hand): the mpv command-line player
# it compares against, and a virtual X display for both.
BENCH_PACKAGES=(mpv xvfb xauth curl)

# missing_packages PACKAGE...: prints the packages that are not installed.
missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || echo "$package"
  done
}

# install_packages PACKAGE...: installs the missing ones; the package lists are
# refreshed once per run, also when a later call runs in the background.
APT_LISTS_FRESH=""
install_packages() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [ -z "$APT_LISTS_FRESH" ]; then
    $SUDO apt-get update -qq
    APT_LISTS_FRESH=1
  fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# install_in_background PACKAGE...: starts installing the missing packages
# while the caller goes on (downloading and unpacking is mostly waiting on the
# network and the disk, so it overlaps well with compiling); its output goes
# to a log that finish_background_install prints.
BACKGROUND_INSTALL_PID=""
BACKGROUND_INSTALL_LOG=""
install_in_background() {
  [ -n "$(missing_packages "$@")" ] || return 0
  # Ask for sudo's password now, not from the background where nobody sees it.
  [ -z "$SUDO" ] || $SUDO -v
  BACKGROUND_INSTALL_LOG=$(mktemp "${TMPDIR:-/tmp}/zelk-install-XXXXXX")
  install_packages "$@" >"$BACKGROUND_INSTALL_LOG" 2>&1 &
  BACKGROUND_INSTALL_PID=$!
}

# finish_background_install: waits for install_in_background; fails when the
# installation did.
finish_background_install() {
  [ -n "$BACKGROUND_INSTALL_PID" ] || return 0
  local result=0
  wait "$BACKGROUND_INSTALL_PID" || result=$?
  cat "$BACKGROUND_INSTALL_LOG"
  rm -f "$BACKGROUND_INSTALL_LOG"
  BACKGROUND_INSTALL_PID=""
  [ $result -eq 0 ] || echo "Installing the test packages failed (status $result)." >&2
  return $result
}

# use_compiler_cache: when ccache is installed, every later configure (also the
# Wine and fuzzer builds, through CMake's launcher variables) compiles through
# it. Paths below the checkout are hashed relative to it, so a second clone on
# the same machine (CI after a session) reuses what the first compiled; the
# precompiled Qt header needs the two pch sloppinesses.
use_compiler_cache() {
  command -v ccache >/dev/null 2>&1 || return 0
  export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
}

# generator_for DIR: Ninja for a new build directory when it is installed; an
# existing one keeps the generator it was made with (CMake cannot switch).
generator_for() {
  local cache="$1/CMakeCache.txt"
  if [ -f "$cache" ]; then
    sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$cache"
  elif command -v ninja >/dev/null 2>&1; then
    echo Ninja
  else
    echo "Unix Makefiles"
  fi
}

# build DIR [cmake options...] [--target TARGET...]: configures DIR with the
# options and builds the targets named after --target (everything without).
build() {
  local dir=$1; shift
  local options=() targets=()
  while [ $# -gt 0 ]; do
    if [ "$1" = "--target" ]; then targets+=(--target "$2"); shift 2; else options+=("$1"); shift; fi
  done
  use_compiler_cache
  cmake -S "$ROOT" -B "$dir" -G "$(generator_for "$dir")" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "${options[@]}" >/dev/null
  cmake --build "$dir" -j "$JOBS" "${targets[@]}"
}
