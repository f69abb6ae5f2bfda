#!/bin/sh
# Starts the printers the driver tests print on, in RUN_DIR/drivers beside the private
# print server's files (start_cupsd.sh runs first and leaves this directory to us):
# - a second private cupsd (socket RUN_DIR/drivers/socket/cups.sock, and a loopback TCP port, as
#   an office's central print server is reached) with queues on the print server's own
#   sample drivers, each with its twins: QUEUE-Raster, whose last filter passes the CUPS
#   raster the driver would get through to its file, and QUEUE-Poppler, whose PDF is
#   rasterised by poppler instead of Ghostscript;
# - a driverless IPP Everywhere printer (ippeveprinter, PWG raster only, on a loopback TCP
#   port, keeping every document it receives) and a queue made for it by
#   "lpadmin -m everywhere".
#   start_driver_servers.sh RUN_DIR HARNESS_DIR
# Written for the tests: drivers/tcp-port, drivers/eve-port, drivers/eve/spool (documents),
# and drivers/home, the tests' home (their saved options).
set -eu

if [ $# -ne 2 ]; then
  echo "usage: $0 RUN_DIR HARNESS_DIR" >&2
  exit 2
fi
run_dir=$1
harness=$(cd "$2" && pwd)
dir=$run_dir/drivers

if [ -d "$dir" ]; then
  sh "$harness/stop_driver_servers.sh" "$run_dir" || true
fi
rm -rf "$dir"
mkdir -p "$dir/etc/ppd" "$dir/etc/ssl" "$dir/spool/tmp" "$dir/tmp" "$dir/cache" "$dir/state" \
         "$dir/log" "$dir/out/jobs" "$dir/eve/spool" "$dir/ppd" "$dir/home"
chmod 0755 "$dir" "$dir/out"
chmod 0777 "$dir/out/jobs"
chmod 1777 "$dir/tmp"
# As for the first server: only the tests' user reaches its socket, and the harness's own
# filter is run from a copy where the filters' user may run it, whatever the checkout's mode.
mkdir -m 0700 "$dir/socket"
install -m 0755 "$harness/keep_each_job.sh" "$dir/etc/keep_each_job.sh"

# A free loopback port: one that nothing answers on now (a server started on it checks
# that it is its own below).
free_port() {
  while :; do
    port=$(( $(od -An -N2 -tu2 /dev/urandom) % 20000 + 30000 ))
    if ! ss -ltnH "sport = :$port" | grep -q .; then
      echo "$port"
      return
    fi
  done
}

wait_for() {  # wait_for WHAT PID COMMAND...: up to 20 s for COMMAND to succeed
  what=$1 pid=$2
  shift 2
  tries=0
  until "$@" > /dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 "$pid" 2> /dev/null; then
      echo "$what did not start" >&2
      return 1
    fi
    sleep 0.1
  done
}

# The IPP Everywhere printer. It registers with DNS-SD through a message bus of its own,
# which has no daemon on it: nothing is announced.
setsid dbus-daemon --session --nofork --address="unix:path=$dir/eve/bus" \
  < /dev/null > "$dir/log/dbus.out" 2>&1 &
echo $! > "$dir/dbus.pid"
tries=0
until [ -S "$dir/eve/bus" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 100 ]; then echo "the message bus did not start" >&2; exit 1; fi
  sleep 0.1
done
for attempt in 1 2 3 4 5; do
  eve_port=$(free_port)
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/eve/bus" setsid ippeveprinter -p "$eve_port" -n localhost \
    -r off -f image/pwg-raster -s 10,10 -k -d "$dir/eve/spool" -m "Everywhere Test" "Vant Everywhere" \
    < /dev/null > "$dir/log/ippeveprinter.out" 2>&1 &
  echo $! > "$dir/eve.pid"
  if wait_for ippeveprinter "$(cat "$dir/eve.pid")" \
       ipptool -T 5 "ipp://127.0.0.1:$eve_port/ipp/print" get-printer-attributes.test; then
    break
  fi
  kill "$(cat "$dir/eve.pid")" 2> /dev/null || true
  [ "$attempt" -lt 5 ] || { cat "$dir/log/ippeveprinter.out" >&2; exit 1; }
done
echo "$eve_port" > "$dir/eve-port"

# The second print server.
for attempt in 1 2 3 4 5; do
  tcp_port=$(free_port)
  for conf in cupsd.conf cups-files.conf; do
    sed "s|@RUN_DIR@|$dir|g" "$harness/$conf.in" > "$dir/etc/$conf"
  done
  printf 'Listen 127.0.0.1:%s\nServerAlias *\n' "$tcp_port" >> "$dir/etc/cupsd.conf"
  setsid /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
    < /dev/null > "$dir/log/cupsd.out" 2>&1 &
  echo $! > "$dir/cupsd.pid"
  if wait_for "the drivers' cupsd" "$(cat "$dir/cupsd.pid")" env CUPS_SERVER="$dir/socket/cups.sock" lpstat -r &&
     grep -q "Listening to 127.0.0.1:$tcp_port" "$dir/log/error_log"; then
    break
  fi
  kill "$(cat "$dir/cupsd.pid")" 2> /dev/null || true
  sleep 0.5
  [ "$attempt" -lt 5 ] || { cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2; exit 1; }
done
echo "$tcp_port" > "$dir/tcp-port"

CUPS_SERVER=$dir/socket/cups.sock
CUPS_SERVERROOT=$dir/etc
export CUPS_SERVER CUPS_SERVERROOT
unset LPDEST PRINTER || true

# lpadmin, quiet about the deprecation of drivers that every queue on a PPD draws.
admin() {
  out=$(lpadmin "$@" 2>&1) || { echo "$out" >&2; return 1; }
  echo "$out" | grep -v "Printer drivers are deprecated" >&2 || true
}

# QUEUE on a sample driver, with options, and its twins made from the PPD the server wrote:
# QUEUE-Raster's last filter keeps each job's raster (keep_each_job.sh, DIR/out/jobs) and
# passes it through to the queue's file; QUEUE-Poppler rasterises with pdftoraster. Each
# queue writes its jobs to out/QUEUE.pdf, the name the tests' helpers read (whatever the
# file holds: device data or a raster).
queue() {  # queue NAME DRIVER.ppd [lpadmin options...]
  name=$1 driver=$2
  shift 2
  admin -p "$name" -E -v "file://$dir/out/$name.pdf" -m "drv:///sample.drv/$driver" "$@"
  twins "$name"
}
twins() {  # twins NAME: QUEUE-Raster and QUEUE-Poppler beside the queue NAME
  ppd=$dir/etc/ppd/$1.ppd
  sed "s|^\*cupsFilter.*|*cupsFilter2: \"application/vnd.cups-raster application/vnd.cups-raster 0 $dir/etc/keep_each_job.sh\"|" \
    "$ppd" > "$dir/ppd/$1-Raster.ppd"
  admin -p "$1-Raster" -E -v "file://$dir/out/$1-Raster.pdf" -P "$dir/ppd/$1-Raster.ppd"
  # Eight bits a dot: poppler dithers a one-bit page, dotting even its white.
  sed -e 's|^\*cupsFilter.*|*cupsFilter2: "application/vnd.cups-pdf application/vnd.cups-raster 0 pdftoraster"|' \
      -e 's|/cupsBitsPerColor 1/|/cupsBitsPerColor 8/|' "$ppd" > "$dir/ppd/$1-Poppler.ppd"
  admin -p "$1-Poppler" -E -v "file://$dir/out/$1-Poppler.pdf" -P "$dir/ppd/$1-Poppler.ppd"
}

queue Zebra zebra.ppd
queue Epl2 zebraep2.ppd
queue Dymo dymo.ppd -o PageSize=w162h540
queue LaserJet600 laserjet.ppd -o Resolution=600dpi -o PageSize=A4
queue LaserJet300 laserjet.ppd -o Resolution=300dpi -o PageSize=A4
queue Epson epson24.ppd -o Resolution=360dpi -o PageSize=A4
admin -p PostScript -E -v "file://$dir/out/PostScript.pdf" -m drv:///sample.drv/generic.ppd -o PageSize=A4
# A label printer whose default is its own custom size.
admin -p Labels -E -v "file://$dir/out/Labels.pdf" -m drv:///sample.drv/zebra.ppd -o PageSize=Custom.50x30mm
twins Labels
# The driverless printer, as most printers sold today are used.
admin -p Everywhere -E -v "ipp://127.0.0.1:$eve_port/ipp/print" -m everywhere
# The central print server's shared queue, reached over TCP by the tests that say so.
admin -p Central -E -v "file://$dir/out/Central.pdf" -P "$dir/ppd/LaserJet600-Raster.ppd" -o printer-is-shared=true
admin -d LaserJet600
lpstat -t > "$dir/log/queues.txt"
