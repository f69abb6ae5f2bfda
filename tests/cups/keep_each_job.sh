#!/bin/sh
# The last filter of the "Office-Filtered" queue: passes what pdftopdf made on to the
# queue's file unchanged and keeps a copy of it per job, DIR/jobs/QUEUE-job-ID.pdf beside
# the queue's file (DEVICE_URI file://DIR/QUEUE.pdf). The queue's one file is overwritten
# by the next job, which may already print while a test reads the one before it.
#   keep_each_job.sh JOB-ID USER TITLE COPIES OPTIONS [FILE]
set -eu
dir=$(dirname "${DEVICE_URI#file://}")
copy="$dir/jobs/$PRINTER-job-$1.pdf"
if [ $# -ge 6 ]; then
  cat "$6" > "$copy"
else
  cat > "$copy"
fi
cat "$copy"
