#!/usr/bin/env bash
# Writes current pictures of the login dialog and the main window to
# docs/screenshots/, running the console against the simulator on a
# virtual 1366x768 X screen.
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

shoot() {  # shoot NAME SECONDS console-arguments...
  local name=$1 wait=$2
  shift 2
  "$BUILD/app/talkback-console" "$@" &
  CONSOLE_PID=$!
  sleep "$wait"
  "$BUILD/resources/talkback-screen-grab" "$OUT/$name.png"
  kill "$CONSOLE_PID" 2>/dev/null || true
  wait "$CONSOLE_PID" 2>/dev/null || true
  CONSOLE_PID=""
  echo "screenshots: $OUT/$name.png"
}

shoot login 3 -user admin
shoot main-window 5 -serverip 127.0.0.1 -user admin -password admin
