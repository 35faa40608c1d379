#!/usr/bin/env bash
# Installs what the build needs, builds, and starts the preferences window
# the way the player loads it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
build "$BUILD_DIR"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: running offscreen (set DISPLAY to see the window; Ctrl+C stops)." >&2
  export QT_QPA_PLATFORM=offscreen
fi
exec "$BUILD_DIR/host/zelk-plugin-runner" "$@"
