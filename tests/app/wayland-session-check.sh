#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program in a Wayland session, on a real compositor: weston runs headless
# (with XWayland when it is installed) in a private runtime folder, and the
# program draws its main window into a PNG and ends. Checked: with XWayland the
# skinned windows run on X11; QT_QPA_PLATFORM=wayland (or no XWayland) runs them
# as native Wayland windows, and so does a DISPLAY no X server answers; each run
# reads the mouse and draws it. Exit 77 (skipped)
# where weston or Qt's Wayland support is not installed.
#   wayland-session-check.sh PROGRAM SCREENSHOT_DIR
set -euo pipefail

program="$1"
mkdir -p "$2"
screenshot_dir="$(cd "$2" && pwd)"

command -v weston >/dev/null || { echo "wayland-session-check: weston is not installed; skipped"; exit 77; }
# Debian's Qt keeps its platform plugins below /usr/lib/TRIPLET/qt6/plugins.
ls /usr/lib/*/qt6/plugins/platforms/libqwayland*.so >/dev/null 2>&1 ||
  { echo "wayland-session-check: Qt's Wayland support (qt6-wayland) is not installed; skipped"; exit 77; }

work="$(mktemp -d)"
weston_pid=""
cleanup() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "wayland-session-check: $*" >&2
  [ -f "$work/weston.log" ] && tail -20 "$work/weston.log" >&2
  exit 1
}

runtime="$work/runtime"
mkdir -m 700 "$runtime"
socket="wayland-zt-$$"
xwayland_option=""
if command -v Xwayland >/dev/null && [ -d /tmp/.X11-unix ] && [ -w /tmp/.X11-unix ]; then
  xwayland_option="--xwayland"
fi
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman --socket="$socket" \
  --width=1280 --height=900 --idle-time=0 $xwayland_option >"$work/weston.log" 2>&1 &
weston_pid=$!

# Wait (bounded) until the compositor listens, and for XWayland's display number.
display=""
for _ in $(seq 1 200); do
  kill -0 "$weston_pid" 2>/dev/null || fail "weston ended"
  if [ -S "$runtime/$socket" ]; then
    if [ -z "$xwayland_option" ]; then break; fi
    display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -1)"
    [ -n "$display" ] && break
  fi
  sleep 0.05
done
[ -S "$runtime/$socket" ] || fail "weston did not open its socket"

# run NAME EXPECTED_PLATFORM [VARIABLE=VALUE...]
run() {
  local name="$1" expected="$2"
  shift 2
  local picture="$screenshot_dir/wayland-session-$name.png"
  rm -f "$picture"
  env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
    XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland \
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data" \
    ZEMKO_TOVIK_DEVICE_DIR="$work/devices-$name" ZEMKO_TOVIK_EMU_LATENCY_MS=0 \
    ZEMKO_TOVIK_REGISTRY="$work/registry.ini" ZEMKO_TOVIK_SCREENSHOT="$picture" \
    QT_LOGGING_RULES="zemko.tovik.app.debug=true" "$@" \
    timeout 60 "$program" >"$work/$name.log" 2>&1 || fail "$name: the program failed: $(cat "$work/$name.log")"
  grep -q "window system: $expected\$" "$work/$name.log" ||
    fail "$name: expected the $expected window system: $(grep 'window system' "$work/$name.log")"
  [ -s "$picture" ] || fail "$name: no picture of the main window: $(cat "$work/$name.log")"
  echo "wayland-session-check: $name ran on $expected: $picture"
}

run native wayland
run chosen-by-user wayland QT_QPA_PLATFORM=wayland
# DISPLAY names an X server that does not answer: Wayland is the fallback.
run no-x-server-answers wayland DISPLAY=:397
if [ -n "$display" ]; then
  run xwayland xcb DISPLAY="$display"
  run xwayland-but-wayland-chosen wayland DISPLAY="$display" QT_QPA_PLATFORM=wayland
else
  echo "wayland-session-check: XWayland is not available; only native Wayland was checked"
fi
