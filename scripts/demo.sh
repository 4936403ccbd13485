#!/usr/bin/env bash
# Installs what is missing, builds, starts the simulator with the sample
# installation and opens the console logged in to it as admin/admin. The
# simulator stops when the console exits (or the script is interrupted).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/release"
WORK="$BUILD/demo"

bash "$ROOT/scripts/install-deps.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTALKBACK_BUILD_TESTS=OFF -DTALKBACK_BUILD_BENCH=OFF
cmake --build "$BUILD" --target talkback-console talkback-sim

source "$ROOT/scripts/sim-session.sh"
trap stop_sim EXIT
trap 'exit 130' INT TERM
# Live mode: now and then a terminal changes state, as on a real site.
start_sim "$BUILD" "$WORK" --live 3000
echo "demo: simulator on 127.0.0.1:$SIM_PORT, console working directory $WORK"

cd "$WORK"
status=0
"$BUILD/app/talkback-console" -serverip 127.0.0.1 -user admin -password admin || status=$?
exit "$status"
