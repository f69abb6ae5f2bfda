#!/usr/bin/env bash
# Fails on an #include under src/ that points up a layer or across into another platform
# concern, and on a system header a folder must not use. The allowed graph is the
# "layers" and "forbidden" blocks of docs/layers.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
graph="$root/docs/layers.md"

# The lines of a fenced block ```NAME in docs/layers.md.
block() {
  awk -v name="$1" '$0 == "```" name { inside = 1; next } inside && /^```/ { exit } inside' "$graph"
}

declare -A allowed forbidden
while IFS=: read -r folder uses; do
  [ -n "$folder" ] && allowed[$folder]=" $uses "
done < <(block layers)
while IFS=: read -r folder prefixes; do
  [ -n "$folder" ] && forbidden[$folder]="$prefixes"
done < <(block forbidden)
[ "${#allowed[@]}" -gt 0 ] || { echo "check-layers: no layers block in $graph" >&2; exit 2; }

# The folder of a path relative to src/, the longest folder of the graph it lies in, into
# REPLY (empty when none).
folder_of() {
  REPLY=""
  local folder
  for folder in "${!allowed[@]}"; do
    if [[ $1 == "$folder"/* && ${#folder} -gt ${#REPLY} ]]; then REPLY=$folder; fi
  done
}

failures=0
# One pass over every include line: "src/FOLDER/FILE:LINE:TEXT".
while IFS= read -r line; do
  relative=${line%%:*}
  relative=${relative#src/}
  rest=${line#*:}
  number=${rest%%:*}
  text=${rest#*:}
  folder_of "$relative"
  own=$REPLY
  if [ -z "$own" ]; then
    echo "$relative: folder not in the layer graph" >&2
    failures=$((failures + 1))
  elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
    name=${BASH_REMATCH[1]}
    folder_of "$name"
    target=$REPLY
    # A name without a graph folder is the including file's own neighbour.
    if [ -n "$target" ] && [ "$target" != "$own" ] && [[ ${allowed[$own]} != *" $target "* ]]; then
      echo "$relative:$number: $own may not include $name ($target)" >&2
      failures=$((failures + 1))
    fi
  elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
    header=${BASH_REMATCH[1]}
    for prefix in ${forbidden[$own]:-}; do
      if [[ $header == "$prefix"* ]]; then
        echo "$relative:$number: $own may not include <$header>" >&2
        failures=$((failures + 1))
      fi
    done
  fi
done < <(cd "$root" && grep -rn --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include' src)

if [ "$failures" -gt 0 ]; then
  echo "check-layers: $failures include(s) against docs/layers.md" >&2
  exit 1
fi
echo "check-layers: every include follows docs/layers.md"
# One table names the commands: no other file of src/ writes a command's name.
"$root/scripts/check-command-names.sh"
