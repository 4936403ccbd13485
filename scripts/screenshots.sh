#!/usr/bin/env bash
# Writes current pictures of the login dialog, the main window, the player
# page, the rename and amplifier-limits dialogs, a message dialog and the microphone, TTS and
# mobile-device pages to docs/screenshots/, running the console
# against the simulator on a virtual 1366x768 X screen (no window manager,
# no compositor) and clicking through it as an operator would (xdotool).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${BUILD_DIR:-$ROOT/build/release}"
WORK="$BUILD/screenshots"
OUT="$ROOT/docs/screenshots"

if [ ! -x "$BUILD/app/talkback-console" ] || [ ! -x "$BUILD/resources/talkback-screen-grab" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTALKBACK_BUILD_TESTS=OFF -DTALKBACK_BUILD_BENCH=OFF
fi
cmake --build "$BUILD" --target talkback-console talkback-sim talkback-screen-grab
mkdir -p "$OUT"

source "$ROOT/scripts/sim-session.sh"
XVFB_PID=""
CONSOLE_PID=""
cleanup() {
  [ -n "$CONSOLE_PID" ] && kill "$CONSOLE_PID" 2>/dev/null || true
  stop_sim
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do
  "$BUILD/resources/talkback-screen-grab" /dev/null 2>/dev/null && break || sleep 0.2
done

start_sim "$BUILD" "$WORK"
cd "$WORK"

start_console() {  # start_console console-arguments...
  "$BUILD/app/talkback-console" "$@" &
  CONSOLE_PID=$!
}

stop_console() {
  kill "$CONSOLE_PID" 2>/dev/null || true
  wait "$CONSOLE_PID" 2>/dev/null || true
  CONSOLE_PID=""
}

grab() {  # grab NAME SECONDS: waits, then pictures the whole screen
  sleep "$2"
  "$BUILD/resources/talkback-screen-grab" "$OUT/$1.png"
  echo "screenshots: $OUT/$1.png"
}

click() {  # click X Y [COUNT]
  xdotool mousemove "$1" "$2" click --repeat "${3:-1}" --delay 120 1
}

start_console -user admin
grab login 3
stop_console

# The main window opens maximised on the first category; the second
# category ("终端管理") opens the player page; a double-click on a row opens
# the rename dialog; after its "取消", "功放高级设置" opens the amplifier
# limits.
start_console -serverip 127.0.0.1 -user admin -password admin
grab main-window 5
click 191 62
grab player-page 2
click 400 237 2
grab rename-dialog 1
click 788 409
click 850 165
grab amp-limits-dialog 1
click 969 546
click 335 165
grab message-dialog 1
stop_console

# The device pages of the same category, from its side list.
start_console -serverip 127.0.0.1 -user admin -password admin
sleep 5
click 191 62
sleep 1
click 90 230
grab mic-page 2
click 90 406
grab tts-page 2
click 90 494
grab m37-page 2
stop_console
