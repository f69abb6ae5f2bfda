#!/usr/bin/env bash
# The bash completion as a user meets it: each line is typed into an interactive bash on a
# terminal (script(1) gives it one), Tab included, and run; `vant` there is a function that
# prints the arguments it received, so what the completion wrote is read back as the
# shell parsed it. Printer names come from the real `vant printers` (no print server:
# the built-in "Vant3 PDF") or from a list of names full of shell-special characters.
# With "server", the real command asks the print server of CUPS_SERVER (the tests' private
# one, whose "Label" has a default sheet of no paper code, listed with its size), and each
# completed line is also run by the real command: a name --printer refuses exits 2.
#   completion_test.sh COMPLETION_FILE VANT_BINARY [server]
set -euo pipefail
completion=$(realpath "$1")
vant_binary=$(realpath "$2")
mode=${3:-}
cups_server=/nonexistent
if [ "$mode" = server ]; then
  cups_server=${CUPS_SERVER:?the print server socket}
fi
for tool in script timeout; do
  command -v "$tool" > /dev/null || { echo "completion_test: $tool is needed"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch "my order.html" x1 notes.txt
printf '<html><body><object id="PrnCtl1"><param name="method1" value="enddoc"></object></body></html>\n' > p.html

# Printer names as `vant printers --names` lists them: the names alone, as --printer takes them.
special_printers=$'Office\nVant3 PDF\nLabel$(touch pwned)\na&b;c\nx*\nit\'s`here`\n'

cat > rc.sh <<'RC'
PS1='$ '
vant() {
  if [ "$1" = printers ]; then
    if [ -z "${FAKE_PRINTERS:-}" ]; then command "$VANT_BINARY" "$@"
    elif [ "${2:-}" = --names ]; then printf '%s' "$FAKE_PRINTERS"
    else echo "the completion asked for the printers' list for people" >&2; fi
  else
    printf '@@<%s>\n' "$@"
    if [ -n "${VANT_RUN:-}" ]; then
      command "$VANT_BINARY" "$@" > /dev/null 2>&1 && status=0 || status=$?
      printf '@@<exit %s>\n' "$status"
    fi
  fi
}
RC
echo "source '$completion'" >> rc.sh

# Types LINE (\t as Tab) into a fresh interactive bash and prints the arguments vant got,
# as <ARG><ARG>…
arguments_after_typing() {
  local line=$1 transcript
  transcript=$(printf 'source rc.sh\n%b\nexit\n' "$line" |
    env -i PATH="$PATH" HOME="$work" TERM=dumb INPUTRC=/dev/null HISTFILE=/dev/null \
      VANT_BINARY="$vant_binary" CUPS_SERVER="$cups_server" CUPS_SERVERROOT="${CUPS_SERVERROOT:-/nonexistent}" \
      VANT_RUN="$([ "$mode" = server ] && echo 1)" FAKE_PRINTERS="${FAKE_PRINTERS:-}" \
      timeout 20 script -qfec "bash --norc --noprofile -i" /dev/null) || true
  sed -n 's/^@@\(<.*>\)\r\{0,1\}$/\1/p' <<<"$transcript" | tr -d '\n'
  printf '%s' "$transcript" > "$work/last-transcript"
}

failures=0
check() {
  local printers=$1 line=$2 expected=$3 got
  got=$(FAKE_PRINTERS=$printers arguments_after_typing "$line")
  if [ "$got" != "$expected" ]; then
    echo "FAIL: typed \"$line\": vant got $got, expected $expected"
    echo "--- transcript"; cat -A "$work/last-transcript" | tail -n 12; echo "---"
    failures=$((failures + 1))
  fi
}

# Printers, typed ::: what vant receives. The real command's built-in printer, its name
# begun bare, in double quotes, in single quotes and with an escaped blank.
real_cases=(
  'vant print order.html --printer V\t'           '<print><order.html><--printer><Vant3 PDF>'
  'vant print order.html --printer "V\t'          '<print><order.html><--printer><Vant3 PDF>'
  "vant print order.html --printer 'V\\t"        '<print><order.html><--printer><Vant3 PDF>'
  'vant show order.html --printer Vant3\\ P\t'   '<show><order.html><--printer><Vant3 PDF>'
)
# Names with characters special to the shell: never run, never globbed, written back whole.
special_cases=(
  'vant print p.html --printer La\t'    '<print><p.html><--printer><Label$(touch pwned)>'
  'vant print p.html --printer "La\t'   '<print><p.html><--printer><Label$(touch pwned)>'
  "vant print p.html --printer 'La\\t" '<print><p.html><--printer><Label$(touch pwned)>'
  'vant print p.html --printer a\t'     '<print><p.html><--printer><a&b;c>'
  'vant print p.html --printer x\t'     '<print><p.html><--printer><x*>'
  'vant print p.html --printer it\t'    "<print><p.html><--printer><it's\`here\`>"
  'vant print p.html --printer "it\t'   "<print><p.html><--printer><it's\`here\`>"
  "vant print p.html --printer 'it\\t" "<print><p.html><--printer><it's\`here\`>"
)
# Verbs, options, values and pages (a page name with a blank stays one argument).
other_cases=(
  'vant met\t p.html'                   '<methods><p.html>'
  'vant pdf my\t'                       '<pdf><my order.html>'
  'vant pdf "my\t'                      '<pdf><my order.html>'
  'vant render p.html --zoom 3\t'       '<render><p.html><--zoom><300>'
  'vant pdf p.html --out\t x.pdf'       '<pdf><p.html><--output><x.pdf>'
)
# On the private print server: "Label", whose line in `vant printers` carries its sheet's
# size, completes to the name alone, and the real command takes what was completed.
server_cases=(
  'vant check p.html --printer La\t'     '<check><p.html><--printer><Label><exit 0>'
  'vant check p.html --printer "La\t'    '<check><p.html><--printer><Label><exit 0>'
  'vant check p.html --printer Vant\t'   '<check><p.html><--printer><Vant3 PDF><exit 0>'
)
if [ "$mode" = server ]; then
  for ((i = 0; i < ${#server_cases[@]}; i += 2)); do check "" "${server_cases[i]}" "${server_cases[i+1]}"; done
  echo "completion_test: $((${#server_cases[@]} / 2 - failures)) of $((${#server_cases[@]} / 2)) typed lines on the print server completed as expected"
  [ "$failures" -eq 0 ]
  exit
fi
for ((i = 0; i < ${#real_cases[@]}; i += 2)); do check "" "${real_cases[i]}" "${real_cases[i+1]}"; done
for ((i = 0; i < ${#special_cases[@]}; i += 2)); do check "$special_printers" "${special_cases[i]}" "${special_cases[i+1]}"; done
for ((i = 0; i < ${#other_cases[@]}; i += 2)); do check "" "${other_cases[i]}" "${other_cases[i+1]}"; done
if [ -e pwned ]; then echo "FAIL: a printer name was run as a command"; failures=$((failures + 1)); fi

cases=$(( (${#real_cases[@]} + ${#special_cases[@]} + ${#other_cases[@]}) / 2 ))
echo "completion_test: $((cases - failures)) of $cases typed lines completed as expected"
[ "$failures" -eq 0 ]
