#!/usr/bin/env bash
# Fails when a command name of the method language is written as a string literal in
# src/ anywhere but the command table (src/engine/command_table.h and
# src/draw/method_commands.cpp): a command is found through its row, never by a name
# compared by hand. Comments may name commands, and so may a printer setting row's key in
# `vant check`'s JSON (`.jsonName = "orientation"`), which names a report field, not a
# command. The names are read from the table itself.
# Usage: scripts/check-command-names.sh [ROOT]   (ROOT: the tree to check, by default this one)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
tables=(src/engine/command_table.h src/draw/method_commands.cpp)

mapfile -t names < <(cd "$root" && grep -ohE '\.names = \{u"[a-z0-9]+", u"[a-z0-9]*"\}' "${tables[@]}" |
  grep -oE '"[a-z0-9]+"' | tr -d '"' | sort -u)
[ "${#names[@]}" -gt 0 ] || { echo "check-command-names: no command rows found in ${tables[*]}" >&2; exit 2; }

pattern="\"($(IFS='|'; echo "${names[*]}"))\""
failures=0
while IFS= read -r -d '' file; do
  relative=${file#"$root"/}
  [[ " ${tables[*]} " == *" $relative "* ]] && continue
  # Each line without its // comment and its JSON keys, then every quoted name in any letter case.
  while IFS=: read -r number text; do
    echo "$relative:$number: a command name written outside the command table: $text" >&2
    failures=$((failures + 1))
  done < <(sed -E 's#//.*$##; s#\.jsonName = "[A-Za-z]+"##g' "$file" | grep -niE "$pattern" || true)
done < <(find "$root/src" \( -name '*.h' -o -name '*.cpp' \) -print0)

if [ "$failures" -gt 0 ]; then
  echo "check-command-names: $failures command name(s) outside the command table" >&2
  exit 1
fi
echo "check-command-names: ${#names[@]} command names, written only in the command table"
