#!/usr/bin/env bash
# Prints a one-page PDF on the private print server to "Office" (whose filter reads the
# spooled file as user lp) and to "Office-Filtered" (pdftopdf and the harness's own filter,
# also as lp), and checks that each queue's file holds the page.
set -euo pipefail
export LC_ALL=C
out=${VANT_CUPS_OUTPUT:?not run against the private print server}
: "${CUPS_SERVER:?not run against the private print server}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A one-page PDF, its cross-reference table counted as the objects are written.
pdf=$work/page.pdf
objects=('<< /Type /Catalog /Pages 2 0 R >>' '<< /Type /Pages /Kids [3 0 R] /Count 1 >>'
         '<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>')
body=$'%PDF-1.4\n'
offsets=()
for i in "${!objects[@]}"; do
  offsets+=("${#body}")
  body+="$((i + 1)) 0 obj ${objects[$i]} endobj"$'\n'
done
xref=${#body}
body+="xref"$'\n'"0 $((${#objects[@]} + 1))"$'\n'"0000000000 65535 f "$'\n'
for offset in "${offsets[@]}"; do body+=$(printf '%010d 00000 n ' "$offset")$'\n'; done
body+="trailer << /Size $((${#objects[@]} + 1)) /Root 1 0 R >>"$'\n'"startxref"$'\n'"$xref"$'\n'"%EOF"$'\n'
printf '%s' "$body" > "$pdf"
pdfinfo "$pdf" > /dev/null

job_of() { sed -n "s/^request id is $1-\([0-9]*\) .*/\1/p"; }
office=$(lp -d Office "$pdf" | job_of Office)
filtered=$(lp -d Office-Filtered "$pdf" | job_of Office-Filtered)
[ -n "$office" ] && [ -n "$filtered" ] || { echo "the private print server took no jobs"; exit 1; }

# Up to 30 s for both jobs to leave the queues; a filter that cannot read its files stops
# its job, and the server says so in its log.
run_dir=$(dirname "$out")
for _ in $(seq 300); do
  [ -z "$(lpstat -o)" ] && break
  grep -q 'Job stopped' "$run_dir/log/error_log" && break
  sleep 0.1
done
if [ -n "$(lpstat -o)" ]; then
  echo "jobs still queued:"; lpstat -o -l
  echo "the print server's errors:"; grep '^E ' "$run_dir/log/error_log" || true
  exit 1
fi

pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
kept=$out/jobs/Office-Filtered-job-$filtered.pdf
for file in "$out/Office.pdf" "$out/Office-Filtered.pdf" "$kept"; do
  [ "$(pages "$file")" = 1 ] || { echo "$file does not hold the page"; grep '^E ' "$run_dir/log/error_log" || true; exit 1; }
done
# The harness's filter wrote its copy as the filters' user, one who cannot enter the checkout.
owner=$(stat -c %U "$kept")
[ "$owner" = lp ] || { echo "the filter ran as $owner, not as user lp"; exit 1; }
echo "Office job $office and Office-Filtered job $filtered printed through filters run as $owner"
