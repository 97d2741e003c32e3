#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, checks that every file a desktop
# needs is there and valid, moves the installed tree elsewhere and starts the
# installed program from outside the build tree against the emulator, letting it
# draw its main window into a PNG.
#   install-test.sh BUILD_DIR VERSION SCREENSHOT_DIR
set -euo pipefail

build_dir="$1"
version="$2"
screenshot_dir="$3"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "install-test: $*" >&2
  exit 1
}

prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

desktop_id="com.example.zemko.tovik"
expected_files=(
  bin/zemko-tovik
  bin/zemko-tovik-devices
  bin/zemko-tovik-tray
  etc/xdg/autostart/zemko-tovik-tray.desktop
  share/zemko-tovik/xml/MainPage.xml
  share/zemko-tovik/xml/Language.xml
  share/zemko-tovik/lang/English.txt
  share/zemko-tovik/skins/main_bg.png
  share/zemko-tovik/bin/Keyboard.kbd
  share/zemko-tovik/Manuals/index.html
  "share/applications/$desktop_id.desktop"
  "share/metainfo/$desktop_id.metainfo.xml"
  share/icons/hicolor/scalable/apps/zemko-tovik.svg
  share/man/man1/zemko-tovik.1
  share/man/man1/zemko-tovik-devices.1
  share/man/man1/zemko-tovik-tray.1
  share/bash-completion/completions/zemko-tovik
  share/bash-completion/completions/zemko-tovik-devices
)
for size in 16 22 24 32 48 64 128 256; do
  expected_files+=("share/icons/hicolor/${size}x${size}/apps/zemko-tovik.png")
done
for file in "${expected_files[@]}"; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for program in zemko-tovik zemko-tovik-devices zemko-tovik-tray; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
# No empty folders: the user's files go to the user's own folders.
empty="$(find "$prefix" -type d -empty)"
[ -z "$empty" ] || fail "empty folders installed: $empty"
# Nothing may land at the prefix's top level besides the usual folders.
for entry in "$prefix"/*; do
  case "$(basename "$entry")" in
    bin | etc | share) ;;
    *) fail "unexpected entry at the top of the prefix: $(basename "$entry")" ;;
  esac
done

# The desktop entry and the metainfo are valid, and they name what was installed.
entry="$prefix/share/applications/$desktop_id.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
desktop-file-validate "$prefix/etc/xdg/autostart/zemko-tovik-tray.desktop" || fail "the tray's autostart entry is not valid"
appstreamcli validate --no-net "$prefix/share/metainfo/$desktop_id.metainfo.xml" >/dev/null ||
  fail "the metainfo is not valid: $(appstreamcli validate --no-net "$prefix/share/metainfo/$desktop_id.metainfo.xml")"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$desktop_id.metainfo.xml" ||
  fail "the metainfo has no release entry for $version"
grep -q "<launchable type=\"desktop-id\">$desktop_id.desktop</launchable>" \
  "$prefix/share/metainfo/$desktop_id.metainfo.xml" || fail "the metainfo does not launch the desktop entry"
icon="$(sed -n 's/^Icon=//p' "$entry")"
[ -f "$prefix/share/icons/hicolor/256x256/apps/$icon.png" ] || fail "no icon named $icon is installed"
exec_line="$(sed -n 's/^Exec=//p' "$entry")"
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not an installed program"
# The manual pages carry the version and format without warnings (when groff is here).
# The program's page names the data folder of this installation.
grep -q "^\.I $prefix/share/zemko-tovik\$" "$prefix/share/man/man1/zemko-tovik.1" ||
  fail "zemko-tovik.1 does not name the installed data folder $prefix/share/zemko-tovik"
# Every executable installed has its manual page and is listed in the metainfo.
for program in "$prefix"/bin/*; do
  name="$(basename "$program")"
  [ -f "$prefix/share/man/man1/$name.1" ] || fail "$name has no manual page"
  grep -q "<binary>$name</binary>" "$prefix/share/metainfo/$desktop_id.metainfo.xml" ||
    fail "the metainfo does not list $name"
done
for page in zemko-tovik zemko-tovik-devices zemko-tovik-tray; do
  grep -q "$version" "$prefix/share/man/man1/$page.1" || fail "$page.1 does not name version $version"
  if command -v groff >/dev/null; then
    warnings="$(LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z "$prefix/share/man/man1/$page.1" 2>&1)"
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  fi
done

# A moved installation keeps working: the program finds its data from its own folder.
moved="$work/moved/elsewhere"
mkdir -p "$(dirname "$moved")"
mv "$prefix" "$moved"
for program in zemko-tovik zemko-tovik-devices zemko-tovik-tray; do
  [ "$("$moved/bin/$program" --version)" = "$program $version.0" ] || fail "$program --version does not say $version.0"
done

runtime="$work/runtime"
mkdir -m 700 "$runtime"
picture="$work/main-window.png"
# From a folder unrelated to the build; HOME and the data folders are temporary too.
(
  cd "$work"
  env -u DISPLAY -u WAYLAND_DISPLAY \
    HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
    XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen \
    ZEMKO_TOVIK_DEVICE_DIR="$work/devices" ZEMKO_TOVIK_EMU_LATENCY_MS=0 \
    ZEMKO_TOVIK_REGISTRY="$work/registry.ini" ZEMKO_TOVIK_SCREENSHOT="$picture" \
    QT_LOGGING_RULES="zemko.tovik.*.warning=true" \
    "$moved/bin/zemko-tovik" >"$work/program.log" 2>&1
) || fail "the installed program failed: $(cat "$work/program.log")"
[ -s "$picture" ] || fail "the installed program drew no picture: $(cat "$work/program.log")"
# A skin file that was not found would be logged; the installed data must be complete.
if grep -q "zemko.tovik" "$work/program.log"; then
  fail "the installed program reported problems: $(grep zemko.tovik "$work/program.log")"
fi
[ -f "$work/devices/0031.attached" ] || fail "the emulator did not attach its mouse in the device directory"
mkdir -p "$screenshot_dir"
cp "$picture" "$screenshot_dir/installed-main-window.png"
echo "install-test: the installed program's main window: $screenshot_dir/installed-main-window.png"
