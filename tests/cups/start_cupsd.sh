#!/bin/sh
# Starts the tests' private print server and creates its queues.
#   start_cupsd.sh RUN_DIR HARNESS_DIR
# RUN_DIR (a folder of /tmp, outside the checkout) is made anew and receives the
# configuration, spool, logs, the socket (RUN_DIR/socket/cups.sock) and the queues' output
# files (RUN_DIR/out/QUEUE.pdf). The filters run as user lp: everything they read is in
# RUN_DIR, which every user may traverse, never in the checkout, which may lie in a folder
# closed to them. The machine's own print server is never touched: every client here talks
# to the socket.
set -eu
# Folders and files readable by the filters whatever the caller's umask.
umask 022

if [ $# -ne 2 ]; then
  echo "usage: $0 RUN_DIR HARNESS_DIR" >&2
  exit 2
fi
run_dir=$1
harness=$2

# A server left behind by an interrupted run is stopped first.
if [ -f "$run_dir/cupsd.pid" ]; then
  "$harness/stop_cupsd.sh" "$run_dir" || true
fi

rm -rf "$run_dir"
# Made here, not found: a folder someone else put in its place meanwhile fails the start.
mkdir -p "$(dirname "$run_dir")"
mkdir "$run_dir"
mkdir -p "$run_dir/etc/ppd" "$run_dir/etc/ssl" "$run_dir/spool/tmp" "$run_dir/tmp" \
         "$run_dir/cache" "$run_dir/state" "$run_dir/log" "$run_dir/out" "$run_dir/home"
# The queues' files are written by the server; the filters that may run as user lp need
# to reach the spool and temporary directories.
chmod 0755 "$run_dir" "$run_dir/out"
chmod 1777 "$run_dir/tmp"
# Only the tests' user reaches the server: anyone who could would print to files as root.
mkdir -m 0700 "$run_dir/socket"
# The harness's own filter, where its user may run it (the print server also wants it
# owned by root and writable by no one else).
install -m 0755 "$harness/keep_each_job.sh" "$run_dir/etc/keep_each_job.sh"

for conf in cupsd.conf cups-files.conf; do
  sed "s|@RUN_DIR@|$run_dir|g" "$harness/$conf.in" > "$run_dir/etc/$conf"
done

setsid /usr/sbin/cupsd -f -c "$run_dir/etc/cupsd.conf" -s "$run_dir/etc/cups-files.conf" \
  < /dev/null > "$run_dir/log/cupsd.out" 2>&1 &
echo $! > "$run_dir/cupsd.pid"

CUPS_SERVER=$run_dir/socket/cups.sock
CUPS_SERVERROOT=$run_dir/etc
export CUPS_SERVER CUPS_SERVERROOT
unset LPDEST PRINTER || true

# Up to 20 s for the server to answer on its socket.
tries=0
until [ "$(lpstat -r 2> /dev/null)" = "scheduler is running" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 200 ] || ! kill -0 "$(cat "$run_dir/cupsd.pid")" 2> /dev/null; then
    echo "the private cupsd did not start; its log:" >&2
    cat "$run_dir/log/cupsd.out" "$run_dir/log/error_log" >&2 2> /dev/null || true
    exit 1
  fi
  sleep 0.1
done

lpadmin -p Office -E -v "file://$run_dir/out/Office.pdf" -P "$harness/ppd/office.ppd" \
  -D "Office test printer"
lpadmin -p Label -E -v "file://$run_dir/out/Label.pdf" -P "$harness/ppd/label.ppd" \
  -D "Label test printer"
# The same office printer on the print server's normal filter chain (pdftopdf runs).
# Its last filter keeps each job's file in out/jobs, written as the filters' user.
mkdir -p "$run_dir/out/jobs"
chmod 0777 "$run_dir/out/jobs"
sed "s|@FILTER_DIR@|$run_dir/etc|g" "$harness/ppd/filtered.ppd" > "$run_dir/etc/filtered.ppd"
lpadmin -p Office-Filtered -E -v "file://$run_dir/out/Office-Filtered.pdf" \
  -P "$run_dir/etc/filtered.ppd" -D "Office test printer behind pdftopdf"
lpadmin -d Office
lpstat -t
