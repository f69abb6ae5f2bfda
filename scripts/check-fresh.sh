#!/usr/bin/env bash
# The README's set-up tried as a new administrator meets it: on a minimal Debian 12 root
# made with debootstrap, from a clone in /root (mode 0700, as root's home is), as root.
# Run on demand, as root; it takes about an hour on 2 cores (not part of CI):
#   scripts/check-fresh.sh [--quick] [--keep-root] [WORK_DIR]
# WORK_DIR (default /var/tmp/vant3-fresh) holds the root and the logs of each step.
# Every run clones this checkout's committed HEAD anew into the root's /root/vant3, as CI
# clones it, and runs there, each step timed:
#   scripts/print-example.sh             the example: invoice.pdf, and how many packages
#   .ci/run                              every test: scripts/test.sh as CI runs it
#                                        (--quick: the core alone and the private print
#                                        server's tests instead)
#   scripts/package.sh build-package /root/keys/vant3-extension.pem, then the same in
#                                        build-package-again: the key is created by the
#                                        first, reused by the second, one extension id
# A step that fails does not end the run: the next steps run all the same, the summary at
# the end gives every step's outcome (and the test command's own steps and failed tests),
# and the run ends with status 1 when any failed.
# A run on a new root shows a fresh machine (nothing installed, an empty compiler cache).
# The root is removed at the end unless --keep-root is given; a run on a kept root shows
# what a CI machine does on its next run (packages there, the compiler cache warm). The
# mirror is VANT_FRESH_MIRROR, else Debian's own.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
quick=false
keep=false
while [ $# -gt 0 ]; do
  case $1 in
    --quick) quick=true ;;
    --keep-root) keep=true ;;
    -*) echo "usage: $0 [--quick] [--keep-root] [WORK_DIR]" >&2; exit 2 ;;
    *) break ;;
  esac
  shift
done
work=$(realpath -m "${1:-/var/tmp/vant3-fresh}")
mirror=${VANT_FRESH_MIRROR:-http://deb.debian.org/debian}
target=$work/root
logs=$work/logs
[ "$(id -u)" -eq 0 ] || { echo "check-fresh: run as root (debootstrap, chroot)" >&2; exit 1; }
"$source_dir/scripts/apt-install.sh" debootstrap
mkdir -p "$logs"

summary=()
failed=0
say() {
  echo "check-fresh: $*"
  summary+=("$*")
}
# A check that failed: said, counted, and the run goes on, so that one run shows all that
# fails; the run ends with status 1 when any did.
fail() {
  say "$*"
  failed=$((failed + 1))
}
# Times a step: STEP_NAME LOG COMMAND...; a failed step shows its log's end and the run goes
# on with the next (the package steps need nothing the tests leave behind). Returns the
# step's status.
step() {
  local name=$1 log=$logs/$2 started=$SECONDS status=0
  shift 2
  echo "check-fresh: $name (log: $log)"
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    fail "$name FAILED (status $status) after $((SECONDS - started)) s (log: $log)"
  else
    say "$name passed in $((SECONDS - started)) s"
  fi
  return "$status"
}

mounted=()
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -R "${mounted[i]}" 2>/dev/null || umount -lR "${mounted[i]}" || true; done
  mounted=()
}
finish() {
  local status=$?
  unmount_all
  if ! $keep && [ -d "$target" ]; then rm -rf --one-file-system "$target"; fi
  printf '%s\n' "" "check-fresh: summary" "${summary[@]}"
  if [ "$failed" -gt 0 ]; then
    echo "check-fresh: $failed of the checks above FAILED"
    exit 1
  elif [ "$status" -ne 0 ]; then
    echo "check-fresh: stopped with status $status before the end"
  else
    echo "check-fresh: every step passed"
  fi
}
trap finish EXIT

if [ ! -x "$target/usr/bin/apt-get" ]; then
  rm -rf --one-file-system "$target"
  # Nothing can run without the root.
  step "debootstrap (minbase, bookworm, $mirror)" debootstrap.log \
    debootstrap --variant=minbase bookworm "$target" "$mirror" || exit 1
  cat > "$target/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
fi
cp /etc/resolv.conf "$target/etc/resolv.conf"
# Certificates this machine added to its own (a network that inspects TLS needs its
# authority trusted) are the root's too: ca-certificates, once the commands install it,
# takes them in, and node (npm) is pointed at the result.
node_ca=()
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
  mkdir -p "$target/usr/local/share/ca-certificates"
  cp /usr/local/share/ca-certificates/*.crt "$target/usr/local/share/ca-certificates/"
  [ -x "$target/usr/sbin/update-ca-certificates" ] && chroot "$target" update-ca-certificates >/dev/null 2>&1
  node_ca=(NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt)
fi
# The root is a mount point, as a machine's is (unshare --propagation, which the browser
# tests use, fails on a plain folder), with the kernel's file systems and the devices.
mount --bind "$target" "$target"
mounted+=("$target")
mount -t proc proc "$target/proc"
mount -t sysfs sysfs "$target/sys"
mount --rbind /dev "$target/dev"
mount --make-rslave "$target/dev"

# Runs a command line as root in the root, in the clone, with a login's environment.
in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root USER=root LOGNAME=root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${node_ca[@]}" \
    /bin/bash -c "cd /root/vant3 && $1"
}
chmod 0700 "$target/root"
rm -rf "$target/root/vant3"
git clone -q --no-hardlinks "$source_dir" "$target/root/vant3"
say "cloned $(git -C "$source_dir" rev-parse --short HEAD) into /root/vant3 of $target"
installed() { chroot "$target" dpkg-query -W -f='${Status}\n' | grep -c "install ok installed"; }
say "packages installed before the example: $(installed)"

if step "scripts/print-example.sh" example.log in_root scripts/print-example.sh; then
  if head -c 5 "$target/root/vant3/invoice.pdf" 2>/dev/null | grep -q '%PDF-'; then
    say "packages installed after the example: $(installed); $(grep -o '[0-9]* ページを書き込みました' "$logs/example.log")"
  else
    fail "the example wrote no PDF"
  fi
fi

if $quick; then
  # The core alone and the tests of the private print server, from the optimised build.
  step "tests (quick: the core alone, the private print server)" test.log in_root '
    set -e
    scripts/install-deps.sh && scripts/install-test-deps.sh
    scripts/build.sh build-test-core RelWithDebInfo -DVANT_BUILD_PLATFORM=OFF -DVANT_BUILD_BENCH=OFF
    (cd build-test-core && ctest --output-on-failure -j"$(nproc)")
    scripts/build.sh build-test-plain RelWithDebInfo -DVANT_BUILD_BENCH=OFF
    cd build-test-plain && ctest --output-on-failure -R "cups_harness_locked_checkout|^CupsJobsTest\."' || true
else
  step ".ci/run (scripts/test.sh)" test.log in_root .ci/run || true
fi
# The test command's steps, CTest's summary lines and the tests that failed.
while IFS= read -r line; do
  summary+=("  $line")
done < <(grep -E '^test\.sh: |tests passed|tests failed out of|^[[:space:]]+[0-9]+ - .* \((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Not Run)' \
           "$logs/test.log" || true)
say "packages installed after the tests: $(installed)"

key=/root/keys/vant3-extension.pem
rm -rf "$target/root/keys" "$target/root/vant3/build-package" "$target/root/vant3/build-package-again"
if step "scripts/package.sh build-package $key (creates the key)" package.log \
     in_root "scripts/package.sh build-package $key" &&
   step "scripts/package.sh build-package-again $key (reuses it)" package-again.log \
     in_root "scripts/package.sh build-package-again $key"; then
  ids=()
  for folder in build-package build-package-again; do
    ids+=("$(cat "$target/root/vant3/$folder/packaging/extension/extension-id" 2>/dev/null)")
  done
  if [ -n "${ids[0]}" ] && [ "${ids[0]}" = "${ids[1]}" ]; then
    say "both packages carry the extension id ${ids[0]}"
  else
    fail "the key gave two extension ids: '${ids[0]}' and '${ids[1]}'"
  fi
fi
