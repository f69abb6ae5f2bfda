#!/bin/sh
# Stops the tests' private print server started by start_cupsd.sh.
#   stop_cupsd.sh RUN_DIR
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 RUN_DIR" >&2
  exit 2
fi
pid_file=$1/cupsd.pid
if [ ! -f "$pid_file" ]; then
  echo "no private cupsd recorded in $pid_file" >&2
  exit 0
fi
pid=$(cat "$pid_file")
rm -f "$pid_file"
if ! kill -0 "$pid" 2> /dev/null; then
  exit 0
fi
kill -TERM "$pid"
# Up to 10 s for a clean shutdown, then it is killed.
tries=0
while kill -0 "$pid" 2> /dev/null; do
  tries=$((tries + 1))
  if [ $tries -gt 100 ]; then
    kill -KILL "$pid" 2> /dev/null || true
    break
  fi
  sleep 0.1
done
