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
  sh "$(dirname "$0")/stop_recorded.sh" "$dir/$name.pid"
done
