#!/bin/sh
# Stops the process whose id PID_FILE records, and removes the file: up to 10 s for a clean
# shutdown, then it is killed. Nothing to do when the file is missing or the process gone.
#   stop_recorded.sh PID_FILE
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 PID_FILE" >&2
  exit 2
fi
pid_file=$1
[ -f "$pid_file" ] || exit 0
pid=$(cat "$pid_file")
rm -f "$pid_file"
kill -0 "$pid" 2> /dev/null || exit 0
kill -TERM "$pid"
tries=0
while kill -0 "$pid" 2> /dev/null; do
  tries=$((tries + 1))
  if [ $tries -gt 100 ]; then
    kill -KILL "$pid" 2> /dev/null || true
    break
  fi
  sleep 0.1
done
