#!/usr/bin/env bash
# Installs what is missing, builds, starts the simulator with the sample
# installation and opens the console logged in to it as admin/admin. When
# port 8666 is free, a throw-away log database (scripts/logdb.sh) is started
# on it and named as the talk-log server, so the log pages read it directly
# and its recordings play back from the simulator's file service. Both stop
# when the console exits (or the script is interrupted).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/release"
WORK="$BUILD/demo"

bash "$ROOT/scripts/install-deps.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTALKBACK_BUILD_TESTS=OFF -DTALKBACK_BUILD_BENCH=OFF
cmake --build "$BUILD" --target talkback-console talkback-sim

source "$ROOT/scripts/sim-session.sh"
LOGDB_DIR=""
stop_all() {
  stop_sim
  if [ -n "$LOGDB_DIR" ]; then
    bash "$ROOT/scripts/logdb.sh" stop "$LOGDB_DIR" || true
    rm -rf "$LOGDB_DIR"
  fi
}
trap stop_all EXIT
trap 'exit 130' INT TERM
LOG_PORT=8666
log_args=()
if (exec 3<>"/dev/tcp/127.0.0.1/$LOG_PORT") 2>/dev/null; then
  echo "demo: port $LOG_PORT is taken; the log pages read the logs over DBP"
else
  log_args=(--log-server "127.0.0.1:$LOG_PORT")
fi
# Live mode: now and then a terminal changes state, as on a real site.
start_sim "$BUILD" "$WORK" --live 3000 "${log_args[@]}"
echo "demo: simulator on 127.0.0.1:$SIM_PORT, console working directory $WORK"
if [ ${#log_args[@]} -gt 0 ]; then
  echo "media root" >&"${SIM_PROC[1]}"
  read -r -t 10 media_line <&"${SIM_PROC[0]}"
  LOGDB_DIR=$(mktemp -d)
  if bash "$ROOT/scripts/logdb.sh" start "$LOGDB_DIR" "$LOG_PORT" --record-root "${media_line#ok }" --owner $$; then
    echo "demo: log database on 127.0.0.1:$LOG_PORT (root/wkfj)"
  else
    echo "demo: the log database did not start; the log pages show the connection error" >&2
  fi
fi

cd "$WORK"
status=0
"$BUILD/app/talkback-console" -serverip 127.0.0.1 -user admin -password admin || status=$?
exit "$status"
