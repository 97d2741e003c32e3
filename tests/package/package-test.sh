#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that scripts/package made: its control fields and
# its file list; then unpacks it into a temporary root and runs the unpacked
# program there against the emulator, letting it draw its main window into a PNG.
# Run by `scripts/package --check` (and so by CI); it takes longer than the
# normal suite's tests should, mostly for making the package.
#   package-test.sh DEB BUILD_DIR VERSION SCREENSHOT_DIR
set -euo pipefail

deb="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
build_dir="$(cd "$2" && pwd)"
version="$3"
screenshot_dir="$4"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package-test: $*" >&2
  exit 1
}

[ -f "$deb" ] || fail "no package at $deb"
arch="$(dpkg --print-architecture)"
[ "$(basename "$deb")" = "zemko-tovik_${version}_$arch.deb" ] || fail "unexpected package name $(basename "$deb")"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zemko-tovik ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = utils ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Installed-Size)" ] || fail "no Installed-Size"
description="$(field Description)"
[ "$(printf '%s\n' "$description" | wc -l)" -gt 3 ] || fail "no extended description: $description"
depends="$(field Depends)"
# The libraries the executables link, from dpkg-shlibdeps, and the run-time needs.
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libpugixml1v5 libicu \
  fonts-liberation2 fonts-wqy-microhei xdg-utils; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ "$(field Recommends)" == *qt6-translations-l10n* ]] || fail "Recommends: $(field Recommends)"

# The file list: everything below /usr, besides the tray's autostart entry.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
expected=(
  /usr/bin/zemko-tovik
  /usr/bin/zemko-tovik-devices
  /usr/bin/zemko-tovik-tray
  /etc/xdg/autostart/zemko-tovik-tray.desktop
  /usr/share/applications/com.example.zemko.tovik.desktop
  /usr/share/metainfo/com.example.zemko.tovik.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/zemko-tovik.svg
  /usr/share/icons/hicolor/48x48/apps/zemko-tovik.png
  /usr/share/man/man1/zemko-tovik.1.gz
  /usr/share/man/man1/zemko-tovik-devices.1.gz
  /usr/share/man/man1/zemko-tovik-tray.1.gz
  /usr/share/bash-completion/completions/zemko-tovik
  /usr/share/bash-completion/completions/zemko-tovik-devices
  /usr/share/doc/zemko-tovik/copyright
  /usr/share/doc/zemko-tovik/changelog.gz
  /usr/share/zemko-tovik/xml/MainPage.xml
  /usr/share/zemko-tovik/lang/French.txt
  /usr/share/zemko-tovik/skins/main_bg.png
  /usr/share/zemko-tovik/bin/Keyboard.kbd
  /usr/share/zemko-tovik/Manuals/index.html
)
for file in "${expected[@]}"; do
  grep -qxF "$file" "$work/files" || fail "not in the package: $file"
done
outside="$(grep -v -e '^/usr/' -e '^/etc/$' -e '^/etc/xdg/$' -e '^/etc/xdg/autostart/' -e '^/$' "$work/files" || true)"
[ -z "$outside" ] || fail "files outside /usr: $outside"
for language in $(sed -n 's/.*file="\([^"]*\)".*/\1/p' "$build_dir/app/xml/Language.xml"); do
  grep -qxF "/usr/share/zemko-tovik/lang/$language" "$work/files" || fail "language file missing: $language"
done

# Unpacked: the executables are stripped but keep their version, the data and the
# manual pages are those of /usr, and the program runs from there.
root="$work/root"
dpkg-deb -x "$deb" "$root"
empty="$(find "$root" -type d -empty)"
[ -z "$empty" ] || fail "empty folders in the package: $empty"
for program in zemko-tovik zemko-tovik-devices zemko-tovik-tray; do
  if readelf -S "$root/usr/bin/$program" | grep -q '\.debug_info'; then
    fail "$program is not stripped"
  fi
  [ "$("$root/usr/bin/$program" --version)" = "$program $version.0" ] || fail "$program --version is wrong"
done
zcat "$root/usr/share/man/man1/zemko-tovik.1.gz" | grep -qx '\.I /usr/share/zemko-tovik' ||
  fail "the manual page does not name /usr/share/zemko-tovik"

runtime="$work/runtime"
mkdir -m 700 "$runtime"
picture="$work/main-window.png"
(
  cd "$work"
  env -u DISPLAY -u WAYLAND_DISPLAY \
    HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
    XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen \
    ZEMKO_TOVIK_DEVICE_DIR="$work/devices" ZEMKO_TOVIK_EMU_LATENCY_MS=0 \
    ZEMKO_TOVIK_REGISTRY="$work/registry.ini" ZEMKO_TOVIK_SCREENSHOT="$picture" \
    QT_LOGGING_RULES="zemko.tovik.*.warning=true" \
    "$root/usr/bin/zemko-tovik" >"$work/program.log" 2>&1
) || fail "the unpacked program failed: $(cat "$work/program.log")"
[ -s "$picture" ] || fail "the unpacked program drew no picture: $(cat "$work/program.log")"
if grep -q "zemko.tovik" "$work/program.log"; then
  fail "the unpacked program reported problems: $(grep zemko.tovik "$work/program.log")"
fi
[ -f "$work/devices/0031.attached" ] || fail "the emulator did not attach its mouse"
mkdir -p "$screenshot_dir"
cp "$picture" "$screenshot_dir/package-main-window.png"
echo "package-test: $(basename "$deb") checked; its program's main window: $screenshot_dir/package-main-window.png"
