# Sourced by demo.sh and screenshots.sh: starts the installation simulator
# with the sample installation on free ports and prepares a working
# directory whose config.ini points the console at it.
#
#   start_sim BUILD_DIR WORK_DIR [SIM OPTIONS...]
#                                  sets SIM_PID and SIM_PORT, writes WORK_DIR/config.ini
#   stop_sim                       ends the simulator (safe to call twice)

start_sim() {
  local build_dir=$1 work_dir=$2
  shift 2
  local extra=("$@")
  # A coprocess keeps the simulator's standard input open: it ends at EOF.
  coproc SIM_PROC { exec "$build_dir/sim/talkback-sim" --port 0 --media-port 0 "${extra[@]}" 2>/dev/null; }
  SIM_PID=$SIM_PROC_PID
  local line=""
  if ! read -r -t 20 line <&"${SIM_PROC[0]}"; then
    echo "the simulator did not start" >&2
    return 1
  fi
  if [[ ! $line =~ ^talkback-sim\ listening\ dbp=([0-9]+)\ media=([0-9]+) ]]; then
    echo "unexpected simulator start-up line: $line" >&2
    return 1
  fi
  SIM_PORT=${BASH_REMATCH[1]}
  mkdir -p "$work_dir"
  # The login dialog's port field is hidden: the port comes from config.ini.
  cat > "$work_dir/config.ini" <<INI
[Setting]
ServerIp=127.0.0.1
ServerPort=$SIM_PORT
User=admin
INI
}

stop_sim() {
  if [ -n "${SIM_PID:-}" ] && kill -0 "$SIM_PID" 2>/dev/null; then
    kill "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
  fi
  SIM_PID=""
}
