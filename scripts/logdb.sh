#!/usr/bin/env bash
# A throw-away MariaDB log server for the demo and the tests: the database
# "talkbacklog" with its four log tables and the sample rows, reachable over
# TCP from 127.0.0.1 only as root/wkfj.
#
#   logdb.sh start DIR PORT [--rows N] [--record-root ROOT] [--owner PID]
#       initialises DIR, starts the server on 127.0.0.1:PORT and loads the
#       sample rows (recording paths below ROOT); --rows N fills the talk log
#       (talklog and talklog_bak), the terminal log and the user log with N
#       generated rows instead. Prints "logdb ready port=PORT pid=PID" when
#       the server takes queries. With --owner the server is also stopped
#       as soon as process PID is gone (a test that crashed).
#   logdb.sh stop DIR       stops the server of DIR and waits until it is gone
#   logdb.sh sql DIR SQL    runs SQL as root through the server's socket
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: logdb.sh start|stop|sql DIR ..." >&2; exit 2; }
sock="$dir/mysqld.sock"
pidfile="$dir/mysqld.pid"

client() { mariadb --no-defaults --default-character-set=utf8mb4 --protocol=socket --socket="$sock" -uroot "$@"; }

# A zombie still answers kill -0; only a running process counts.
alive() {
  local pid=$1 state
  state=$(ps -o stat= -p "$pid" 2>/dev/null || true)
  [ -n "$state" ] && [ "${state:0:1}" != "Z" ]
}

case "$cmd" in
start)
  port=${3:?port}
  shift 3
  rows=0
  record_root=""
  owner=""
  while [ $# -gt 0 ]; do
    case "$1" in
      --rows) rows=$2; shift 2 ;;
      --record-root) record_root=$2; shift 2 ;;
      --owner) owner=$2; shift 2 ;;
      *) echo "logdb: unknown option $1" >&2; exit 2 ;;
    esac
  done
  mkdir -p "$dir/data"
  mariadb-install-db --no-defaults --user=root --datadir="$dir/data" \
    --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1
  mariadbd --no-defaults --user=root --datadir="$dir/data" --socket="$sock" --port="$port" \
    --bind-address=127.0.0.1 --skip-name-resolve --pid-file="$pidfile" \
    --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
    --innodb-buffer-pool-size=128M --innodb-flush-log-at-trx-commit=0 \
    --log-error="$dir/mysqld.err" </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    if client -e "select 1" >/dev/null 2>&1; then break; fi
    if ! alive "$pid"; then echo "logdb: server did not start, see $dir/mysqld.err" >&2; exit 1; fi
    sleep 0.05
  done
  client -e "select 1" >/dev/null
  echo "$pid" >"$pidfile.script"
  # "normal" authentication leaves root@::1 and root@<host> without a
  # password; only root from 127.0.0.1 (and the local socket) stays.
  client <<SQL
DELETE FROM mysql.global_priv WHERE User='root' AND Host NOT IN ('localhost','127.0.0.1');
DELETE FROM mysql.global_priv WHERE User='';
FLUSH PRIVILEGES;
CREATE USER IF NOT EXISTS 'root'@'127.0.0.1';
ALTER USER 'root'@'127.0.0.1' IDENTIFIED BY 'wkfj';
GRANT ALL PRIVILEGES ON *.* TO 'root'@'127.0.0.1' WITH GRANT OPTION;
FLUSH PRIVILEGES;
SQL
  client <"$ROOT/sim/data/log-schema.mariadb.sql"
  if [ "$rows" -gt 0 ]; then
    client talkbacklog <<SQL
INSERT INTO talklog (id,begin_time,end_time,callerId,calledId,callerName,calledName,type,source_name,recordfile)
  SELECT seq, 1765440000+seq, 1765440030+seq, 100+seq%7, IF(seq%10=0,NULL,1+seq%24),
         ELT(1+seq%4,'张三','Alice','值班员','Bob "B" Smith'), 'called', seq%12,
         CONCAT('source ',seq%5), '' FROM seq_1_to_${rows};
INSERT INTO talklog_bak SELECT * FROM talklog;
INSERT INTO terminallog (id,date,terminalId,name,type,ip,action)
  SELECT seq, 1765440000+seq, 1+seq%24, ELT(1+seq%3,'教学楼','Gate','操场'), seq%4,
         CONCAT('192.168.1.',seq%250), IF(seq%2,'上线','offline') FROM seq_1_to_${rows};
INSERT INTO userlog (id,name,ip,date,content)
  SELECT seq, ELT(1+seq%3,'admin','值班员','operator'), CONCAT('192.168.1.',seq%250),
         1765440000+seq, '登录' FROM seq_1_to_${rows};
SQL
  else
    esc=$(printf '%s' "$record_root" | sed -e 's/[\\&|]/\\&/g' -e "s/'/''/g")
    sed -e "s|@ROOT@|$esc|g" "$ROOT/sim/data/sample-logs.sql" | client talkbacklog
  fi
  if [ -n "$owner" ]; then
    ( while alive "$owner" && alive "$pid"; do sleep 0.5; done
      alive "$pid" && kill -TERM "$pid" ) </dev/null >/dev/null 2>&1 &
  fi
  echo "logdb ready port=$port pid=$pid"
  ;;
stop)
  pid=""
  [ -f "$pidfile.script" ] && pid=$(cat "$pidfile.script")
  [ -z "$pid" ] && [ -f "$pidfile" ] && pid=$(cat "$pidfile")
  [ -n "$pid" ] || exit 0
  if alive "$pid"; then
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 1 400); do alive "$pid" || break; sleep 0.05; done
    alive "$pid" && kill -KILL "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile.script"
  ;;
sql)
  client talkbacklog -e "${3:?sql}"
  ;;
*)
  echo "logdb: unknown command $cmd" >&2; exit 2 ;;
esac
