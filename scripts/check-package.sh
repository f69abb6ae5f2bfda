#!/usr/bin/env bash
# Checks a built Debian package: scripts/check-package.sh VANT3.deb [EXTENSION_DIR]
# Lists it, runs lintian (no errors allowed), unpacks it into a temporary root and runs the
# unpacked program there (its data found relative to where it is), reads the man pages, and
# checks that the host manifests name the installed program and the package's extension id
# and that the packaged extension is the extension the browser tests load (but its key).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "$1")
extension=${2:-$root/extension}
fail() { echo "check-package: $*" >&2; exit 1; }
for tool in dpkg-deb lintian man pdfinfo node unzip; do
  command -v "$tool" >/dev/null || fail "$tool is needed (scripts/install-package-deps.sh installs it)"
done

contents=$(dpkg-deb -c "$deb")
echo "$contents"
for path in ./usr/bin/vant ./usr/share/vant3/vant-fonts.conf ./usr/share/man/man1/vant.1.gz \
    ./usr/share/man/ja/man1/vant.1.gz \
    ./usr/share/bash-completion/completions/vant ./usr/share/applications/vant3-preview.desktop \
    ./usr/share/doc/vant3/copyright ./usr/share/doc/vant3/README.md ./usr/share/doc/vant3/admin-guide.md \
    ./usr/share/doc/vant3/admin-guide.ja.md \
    ./usr/share/doc/vant3/examples/README ./usr/share/doc/vant3/examples/chromium-policy.json \
    ./usr/share/doc/vant3/examples/firefox-policies.json ./usr/share/doc/vant3/examples/firefox-managed-storage.json \
    ./usr/share/vant3/extension/vant3.crx \
    ./usr/share/vant3/extension/update.xml ./etc/chromium/native-messaging-hosts/vant3.host.json \
    ./usr/lib/mozilla/native-messaging-hosts/vant3.host.json \
    "./usr/share/mozilla/extensions/{ec8030f7-c20a-464f-9b0e-13a3a9e97384}/print@vant3.xpi"; do
  grep -qF " $path" <<<"$contents" || fail "the package lacks $path"
done
# Shown on standard error as it is (the streams are never reopened by path: a log that is
# a file would be written over from its start).
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends" >&2
for dependency in fonts-ipafont-mincho libqt6gui6 libqt6widgets6 libcups2 libgumbo fontconfig fonts-ipafont-gothic \
  fonts-liberation fonts-morisawa-bizud-gothic fonts-motoya-l-maruberi fonts-ocr-b; do
  grep -q "$dependency" <<<"$depends" || fail "Depends lacks $dependency"
done

# lintian: warnings are shown, an error fails.
lintian_out=$(lintian --tag-display-limit 0 "$deb" || true)
echo "$lintian_out"
if grep -q '^E: ' <<<"$lintian_out"; then fail "lintian reports errors"; fi

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
vant=$unpacked/usr/bin/vant
"$vant" --version | grep -q '^vant ' || fail "the unpacked vant --version"
# The data files come from the unpacked tree beside the program, not from a build tree.
(cd "$unpacked" && env -u VANT3_DATA_DIR CUPS_SERVER=/nonexistent "$vant" pdf "$root/examples/invoice.html" -o "$unpacked/invoice.pdf" 2>&1)
pdfinfo "$unpacked/invoice.pdf" | grep -q '^Pages: *2$' || fail "the unpacked vant pdf did not write the 2 pages"
pages=$(cd "$unpacked" && cat "$root/examples/invoice.html" | CUPS_SERVER=/nonexistent "$vant" pdf - -o - 2>/dev/null | pdfinfo - | grep '^Pages:')
[[ $pages =~ ^Pages:\ *2$ ]] || fail "the unpacked vant pdf - -o - did not carry the 2 pages through a pipe ($pages)"
pdffonts "$unpacked/invoice.pdf" | grep -q 'IPA' || fail "the unpacked vant pdf did not use the IPA fonts"
# The man pages at 80 columns without a single warning: the English one also without any
# locale (as man runs for a user with none), the Japanese one in a UTF-8 locale.
for locale_page in C:man1 C.UTF-8:man1 C.UTF-8:ja/man1; do
  locale=${locale_page%%:*}
  page=$unpacked/usr/share/man/${locale_page#*:}/vant.1.gz
  LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" >"$unpacked/man.txt" 2>"$unpacked/man.err" ||
    fail "man -l $page: $(cat "$unpacked/man.err")"
  [ ! -s "$unpacked/man.err" ] || fail "man --warnings -l $page in $locale: $(cat "$unpacked/man.err")"
  width=$(LC_ALL=C.UTF-8 wc -L <"$unpacked/man.txt")
  [ "$width" -le 80 ] || fail "$page is $width columns wide in $locale"
  for verb in print pdf show preview render methods printers; do
    grep -q "^ *$verb" "$unpacked/man.txt" || fail "$page does not describe $verb"
  done
done
# The printer map's pages likewise: the English one in every locale, the Japanese in UTF-8.
for locale_page in C:man5/vant-printers.conf.5.gz C.UTF-8:man5/vant-printers.conf.5.gz \
    C.UTF-8:ja/man5/vant-printers.conf.5.gz; do
  locale=${locale_page%%:*}
  page=$unpacked/usr/share/man/${locale_page#*:}
  LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" >"$unpacked/man.txt" 2>"$unpacked/man.err" ||
    fail "man -l $page: $(cat "$unpacked/man.err")"
  [ ! -s "$unpacked/man.err" ] || fail "man --warnings -l $page in $locale: $(cat "$unpacked/man.err")"
done
# The pages carry the package's version, and show the same examples.
version=$(dpkg-deb -f "$deb" Version)
man_section() {  # the lines of a man page's section, from its source
  zcat "$1" | awk -v name="$2" '/^\.SH /{on = ($0 == ".SH " name); next} on'
}
for page in man1/vant.1.gz ja/man1/vant.1.gz; do
  th=$(zcat "$unpacked/usr/share/man/$page" | grep -m1 '^\.TH ')
  grep -qF "\"Vant3 $version\"" <<<"$th" || fail "$page names another version than $version: $th"
done
[ "$(man_section "$unpacked/usr/share/man/man1/vant.1.gz" EXAMPLES)" = \
  "$(man_section "$unpacked/usr/share/man/ja/man1/vant.1.gz" 例)" ] || fail "the English and Japanese EXAMPLES differ"
# whatis reads the English page's name line.
english=$(LC_ALL=C MANWIDTH=80 man -l "$unpacked/usr/share/man/man1/vant.1.gz" 2>/dev/null)
grep -q '^ *vant - print control' <<<"$english" || fail "the English man page's NAME line"

id=$(cat "$unpacked/usr/share/vant3/extension/extension-id")
[[ $id =~ ^[a-p]{32}$ ]] || fail "the extension id \"$id\" is not an id"
chromium_manifest=$unpacked/$(readlink "$unpacked/etc/chromium/native-messaging-hosts/vant3.host.json")
[ -f "$chromium_manifest" ] || fail "/etc/chromium/native-messaging-hosts/vant3.host.json points at nothing in the package"
node - "$chromium_manifest" "$unpacked/usr/lib/mozilla/native-messaging-hosts/vant3.host.json" "$id" <<'JS' || fail "host manifests"
const fs = require('fs');
const [chromiumFile, firefoxFile, id] = process.argv.slice(2);
const chromium = JSON.parse(fs.readFileSync(chromiumFile, 'utf8'));
const firefox = JSON.parse(fs.readFileSync(firefoxFile, 'utf8'));
const ok = (c, what) => { if (!c) { console.error('host manifest: ' + what); process.exit(1); } };
for (const m of [chromium, firefox]) {
  ok(m.name === 'vant3.host' && m.type === 'stdio', 'name and type');
  ok(m.path === '/usr/bin/vant', 'path ' + m.path);
}
ok(JSON.stringify(chromium.allowed_origins) === JSON.stringify([`chrome-extension://${id}/`]), 'allowed_origins');
ok(JSON.stringify(firefox.allowed_extensions) === JSON.stringify(['print@vant3']), 'allowed_extensions');
JS
# The packaged program registers the same id for a user who runs vant register.
"$vant" register --system --root "$unpacked/registered" >/dev/null
grep -q "chrome-extension://$id/" "$unpacked/registered/etc/chromium/native-messaging-hosts/vant3.host.json" ||
  fail "the packaged vant registers another extension id than $id"
external=$unpacked/usr/lib/chromium/extensions/$id.json
[ -f "$external" ] || fail "no external-extension file $id.json"
grep -q '"external_crx": "/usr/share/vant3/extension/vant3.crx"' "$external" || fail "$external names another CRX"

# The packaged extension: the CRX's files are the extension's, its manifest carries the key
# whose id is the one above; the XPI is the Firefox variant with the gecko id.
crx_files=$unpacked/crx
mkdir "$crx_files"
(cd "$crx_files" && unzip -qo "$unpacked/usr/share/vant3/extension/vant3.crx" 2>/dev/null || true)
[ -f "$crx_files/manifest.json" ] || fail "the CRX holds no manifest"
for file in $(cd "$extension" && find . -type f ! -name README.md ! -name manifest.json); do
  cmp -s "$extension/$file" "$crx_files/$file" || fail "the CRX's $file differs from the extension's"
done
key_id=$(node -e 'console.log(JSON.parse(require("fs").readFileSync(process.argv[1])).key)' "$crx_files/manifest.json" |
  base64 -d | sha256sum | cut -c1-32 | tr 0-9a-f a-p)
[ "$key_id" = "$id" ] || fail "the CRX's key gives the id $key_id, not $id"
xpi_files=$unpacked/xpi
mkdir "$xpi_files"
(cd "$xpi_files" && unzip -q "$unpacked/usr/share/mozilla/extensions/{ec8030f7-c20a-464f-9b0e-13a3a9e97384}/print@vant3.xpi")
grep -q '"id": "print@vant3"' "$xpi_files/manifest.json" || fail "the XPI's manifest lacks the gecko id"
# Installing and removing, in a root of its own (the machine's own /etc is left alone):
# nothing of the package may stay behind, the link its script makes for Chrome included.
target=$unpacked/root
mkdir -p "$target/var/lib/dpkg/info" "$target/var/lib/dpkg/updates"
touch "$target/var/lib/dpkg/status" "$target/var/lib/dpkg/available"
dpkg_root=(dpkg --root="$target" --force-script-chrootless --force-depends --force-not-root --log=/dev/null)
"${dpkg_root[@]}" -i "$deb" >/dev/null 2>"$unpacked/dpkg.err" || fail "dpkg -i: $(cat "$unpacked/dpkg.err")"
[ -L "$target/etc/opt/chrome/native-messaging-hosts/vant3.host.json" ] || fail "installing made no Chrome host manifest"
[ -L "$target/etc/opt/edge/native-messaging-hosts/vant3.host.json" ] || fail "installing made no Edge host manifest"
[ -f "$target/etc/vant3/printers.conf" ] || fail "installing put no printer map in /etc/vant3"
grep -qx /etc/vant3/printers.conf "$target/var/lib/dpkg/info/vant3.conffiles" || fail "the printer map is no conffile"
[ -x "$target/usr/bin/vant" ] || fail "installing put no vant in /usr/bin"
# Every path the man pages' FILES name is where the installed package put it.
for page_section in man1/vant.1.gz:FILES ja/man1/vant.1.gz:ファイル; do
  page=$unpacked/usr/share/man/${page_section%%:*}
  paths=$(man_section "$page" "${page_section#*:}" | sed -n 's/^\.I //p' | sed 's/\\-/-/g; s/\\://g')
  [ -n "$paths" ] || fail "$page has no FILES"
  for path in $paths; do
    # A file in a user's home (~/.config/…) is the user's, not the package's.
    [[ $path == /* ]] || continue
    [ -e "$target$path" ] || [ -L "$target$path" ] || fail "$page names $path, which the package does not install"
    [[ $path != */ ]] || [ -d "$target$path" ] || fail "$page names $path as a folder"
  done
  # and the files it names in a folder's paragraph, (NAME), are in that folder
  while read -r folder name; do
    [ -e "$target$folder$name" ] || fail "$page puts $name in $folder, where the package has none"
  done < <(man_section "$page" "${page_section#*:}" | sed 's/\\-/-/g; s/\\://g' |
    awk '/^\.TP/ {getline; folder = ($1 == ".I" && $2 ~ /\/$/) ? $2 : ""; next}
         /^\.TQ/ {folder = ""; next}
         folder != "" && /^\.RI \( / {print folder, $3}
         folder != "" && /^\.IR / {print folder, $2}')
done
# The example policies name the package's files and its extension id.
for url in $(grep -oh 'file://[^";]*' "$target"/usr/share/doc/vant3/examples/*.json); do
  [ -f "$target${url#file://}" ] || fail "an example policy names $url, which the package does not install"
done
grep -q "\"$id;file:///usr/share/vant3/extension/update.xml\"" "$target/usr/share/doc/vant3/examples/chromium-policy.json" ||
  fail "the Chromium example policy does not force the extension $id"
! grep -q '@EXTENSION_ID@' "$target"/usr/share/doc/vant3/examples/* || fail "an example policy lacks the extension id"
"${dpkg_root[@]}" -r vant3 >/dev/null 2>"$unpacked/dpkg.err" || fail "dpkg -r: $(cat "$unpacked/dpkg.err")"
# Removing keeps the administrator's printer map, as every conffile; purging takes it.
[ -f "$target/etc/vant3/printers.conf" ] || fail "removing the package took the printer map"
"${dpkg_root[@]}" -P vant3 >/dev/null 2>"$unpacked/dpkg.err" || fail "dpkg -P: $(cat "$unpacked/dpkg.err")"
# /etc itself stays, as on every system; nothing may be left in it.
left=$(cd "$target" && find . -mindepth 1 ! -path ./etc ! -path ./var ! -path ./var/lib ! -path './var/lib/dpkg*' | sort)
[ -z "$left" ] || fail "removing the package left behind: $left"
echo "check-package: $deb is sound (extension id $id)"
