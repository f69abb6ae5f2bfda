#!/usr/bin/env bash
# The private print server works from a checkout in a folder that only its owner may enter,
# as root's clone in /root (mode 0700): the harness is copied into such a folder, and a
# project around it is configured and its print test run there, with a build tree of its own.
#   locked_checkout_test.sh HARNESS_DIR CMAKE CTEST GENERATOR
set -euo pipefail
harness=$1 cmake=$2 ctest=$3 generator=$4
# Only a print server started by root runs its filters as another user (lp).
[ "$(id -u)" -eq 0 ] || { echo "locked_checkout_test: must run as root, as the tests' print server does"; exit 1; }

locked=$(mktemp -d)
chmod 0700 "$locked"
run_dir=""
cleanup() {
  if [ -n "$run_dir" ]; then
    [ -f "$run_dir/cupsd.pid" ] && sh "$harness/stop_cupsd.sh" "$run_dir"
    rm -rf "$run_dir"
  fi
  rm -rf "$locked"
}
trap cleanup EXIT
# The premise: the filters' user cannot enter the folder.
if setpriv --reuid=lp --regid=lp --clear-groups test -x "$locked"; then
  echo "locked_checkout_test: user lp can enter $locked"
  exit 1
fi

cp -r "$harness" "$locked/cups"
if ! "$cmake" -S "$locked/cups/locked_checkout" -B "$locked/build" -G "$generator" > "$locked/configure.log" 2>&1; then
  cat "$locked/configure.log"
  exit 1
fi
run_dir=$(sed -n 's/^VANT_CUPS_RUN_DIR:PATH=//p' "$locked/build/CMakeCache.txt")
[ -n "$run_dir" ] || { echo "locked_checkout_test: the project names no run folder"; exit 1; }
"$ctest" --test-dir "$locked/build" --output-on-failure -R '^print_through_filters$'
