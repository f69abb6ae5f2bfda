#!/bin/sh
# Stops what start_driver_servers.sh started.
#   stop_driver_servers.sh RUN_DIR
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 RUN_DIR" >&2
  exit 2
fi
dir=$1/drivers
for name in cupsd eve dbus; do
  pid_file=$dir/$name.pid
  [ -f "$pid_file" ] || continue
  pid=$(cat "$pid_file")
  rm -f "$pid_file"
  kill -0 "$pid" 2> /dev/null || continue
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
done
