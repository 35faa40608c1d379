#!/usr/bin/env bash
# Installs what the build needs, builds, and starts the player with its
# preferences window open, on the user's own settings (the registry store in
# ~/.config/zelk/registry unless ZELK_REGISTRY_DIR points elsewhere).
# Arguments are passed on to zelk-player (see `zelk-player --help`).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
# Only the player and the plug-ins it loads (the target's dependencies), not
# the tests and benchmarks: a first start then builds far less.
build "$BUILD_DIR" --target zelk-player

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: running offscreen (set DISPLAY to see the window; Ctrl+C stops)." >&2
  echo "To see the pages without a display: $BUILD_DIR/host/shell/zelk-player --render-pages DIR" >&2
  export QT_QPA_PLATFORM=offscreen
fi
exec "$BUILD_DIR/host/shell/zelk-player" --preferences "$@"
