#!/usr/bin/env bash
# check-deb.sh PACKAGE.deb: checks the player's Debian package as a Debian
# user and packager would:
# - lintian finds no error, and no warning but those docs/packaging.md lists;
# - it holds the programs, the private libraries and plug-ins, translations,
#   desktop entry, AppStream entry, icons and manual pages, where Debian and the
#   desktop look, and they pass desktop-file-validate and appstreamcli;
# - unpacked into a temporary root, the player there prints its version and
#   renders its preferences pages headless (so it finds its libraries, its
#   plug-ins and its translations from where it stands).
# With CI=true (a throw-away machine) it also installs the package with
# apt-get, runs the installed player the same way, purges the package and
# checks that none of its files is left. Otherwise it never touches /usr.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
deb=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/zelk-deb-check-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "check-deb: $*" >&2; exit 1; }

version=$(dpkg-deb -f "$deb" Version)
app_id=com.zelk.Player

# Tags that may stay: the lines "- `tag`" under "Lintian warnings left" in docs/packaging.md.
allowed=$(sed -n '/^## Lintian warnings left/,/^## /s/^- `\([a-z0-9-]*\)`.*/\1/p' "$ROOT/docs/packaging.md")
lintian --fail-on none "$deb" >"$work/lintian.txt" 2>&1 || fail "lintian did not run: $(cat "$work/lintian.txt")"
while read -r level _ tag _; do
  case "$level" in
    E:) fail "lintian error: $tag ($(grep -m1 " $tag" "$work/lintian.txt"))" ;;
    W:) grep -qx "$tag" <<<"$allowed" || fail "lintian warning not in docs/packaging.md: $(grep -m1 " $tag" "$work/lintian.txt")" ;;
  esac
done < <(grep -E '^[EW]: ' "$work/lintian.txt" || true)

dpkg-deb -x "$deb" "$work/root"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for file in usr/bin/zelk-player usr/bin/zelk-reg \
    usr/lib/$multiarch/zelk-player/libZNBLibrary.so usr/lib/$multiarch/zelk-player/libzelk_registry.so \
    usr/lib/$multiarch/zelk-player/plugins/ZNBPreferencesPlugin.so usr/lib/$multiarch/zelk-player/plugins/ZNBPreferencesPlugin.xml \
    usr/lib/$multiarch/zelk-player/plugins/ZNBPlayerSettingsConsumer.so usr/lib/$multiarch/zelk-player/plugins/VideoOutput-opengl.xml \
    usr/share/zelk-player/translations/zelk-player_fr.qm usr/share/zelk-player/translations/ZNBPreferencesPlugin_de.qm \
    usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$app_id.svg usr/share/icons/hicolor/16x16/apps/$app_id.png \
    usr/share/icons/hicolor/256x256/apps/$app_id.png \
    usr/share/man/man1/zelk-player.1.gz usr/share/man/man1/zelk-reg.1.gz \
    usr/share/doc/zelk-player/copyright usr/share/doc/zelk-player/changelog.gz; do
  [ -e "$work/root/$file" ] || fail "not in the package: /$file"
done
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net --strict "$work/root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream.txt" 2>&1 ||
  fail "the AppStream entry is not valid: $(cat "$work/appstream.txt")"
zcat "$work/root/usr/share/man/man1/zelk-player.1.gz" | grep -q 'render\\-pages' || fail "the manual page lacks the options"

# run_player BINDIR: the player there prints its version and renders its pages.
run_player() {
  local home=$work/home-$RANDOM
  mkdir -p "$home"
  local -a environment=(env HOME="$home" XDG_CONFIG_HOME="$home/.config" ZELK_REGISTRY_DIR="$home/registry"
                        QT_QPA_PLATFORM=offscreen LANG=C.UTF-8)
  [ "$("${environment[@]}" "$1/zelk-player" --version)" = "zelk-player $version" ] || fail "$1/zelk-player --version"
  [ "$("${environment[@]}" "$1/zelk-reg" --version)" = "zelk-reg $version" ] || fail "$1/zelk-reg --version"
  "${environment[@]}" "$1/zelk-player" --language fr --render-pages "$home/pages" >/dev/null 2>"$home/errors" ||
    fail "$1/zelk-player --render-pages: $(cat "$home/errors")"
  ! grep -q translation "$home/errors" || fail "$1/zelk-player has no translation: $(cat "$home/errors")"
  [ "$(ls "$home/pages"/*.png | wc -l)" -eq 5 ] || fail "$1/zelk-player did not render the 5 pages"
}
run_player "$work/root/usr/bin"

if [ "${CI:-}" = true ]; then
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$deb" >/dev/null || fail "apt-get install failed"
  dpkg-query -L zelk-player >"$work/installed.txt"
  run_player /usr/bin
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -qq zelk-player >/dev/null || fail "apt-get purge failed"
  while read -r path; do
    # Folders other packages share (/usr/share/man/man1, ...) stay.
    [ -d "$path" ] && [ ! -L "$path" ] && continue
    [ ! -e "$path" ] || fail "left after purge: $path"
  done <"$work/installed.txt"
  [ ! -e "/usr/lib/$multiarch/zelk-player" ] && [ ! -e /usr/share/zelk-player ] || fail "folders left after purge"
fi
echo "check-deb: $(basename "$deb") is sound ($(du -k "$deb" | cut -f1) KiB, installed $(dpkg-deb -f "$deb" Installed-Size) KiB)"
