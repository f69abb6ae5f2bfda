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
sh "$(dirname "$0")/stop_recorded.sh" "$pid_file"
