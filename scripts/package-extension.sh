#!/usr/bin/env bash
# Prepares the browser extension for the Debian package, signed with the organisation's key:
#   scripts/package-extension.sh EXTENSION_DIR KEY.pem OUT_DIR
# KEY.pem is created (RSA 2048) when it does not exist yet; keep it to give later versions
# the same extension id. OUT_DIR receives:
#   extension-id          the Chromium/Chrome id that follows from the key
#   chromium/             the extension with the key's public half as its manifest "key"
#   vant3.crx             that folder packed and signed by the key
#   update.xml            a local update manifest for an ExtensionInstallForcelist policy
#   external.json         Chromium's external-extension file (installed as <ID>.json)
#   print@vant3.xpi       the Firefox variant, unsigned
#   chromium-host.json, firefox-host.json   the native-messaging host manifests
#   chromium-policy.json, firefox-policies.json, firefox-managed-storage.json, README
#                         policies an administrator may install, and what they do
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source_dir=$(cd "$1" && pwd)
key=$2
out=$3
binary=${VANT_INSTALLED_BINARY:-/usr/bin/vant}
crx_path=${VANT_INSTALLED_CRX:-/usr/share/vant3/extension/vant3.crx}
gecko_id=print@vant3

for tool in openssl node chromium zip; do
  command -v "$tool" >/dev/null || { echo "package-extension: $tool is needed (scripts/install-package-deps.sh installs it)" >&2; exit 1; }
done
[ -f "$source_dir/manifest.json" ] || { echo "package-extension: no manifest.json in $source_dir" >&2; exit 1; }

if [ ! -f "$key" ]; then
  mkdir -p "$(dirname "$key")"
  (umask 077 && openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$key" 2>/dev/null)
  echo "package-extension: created the extension key $key (keep it for later versions)" >&2
fi
public_der=$(mktemp)
trap 'rm -f "$public_der"' EXIT
openssl pkey -in "$key" -pubout -outform DER -out "$public_der"
public_b64=$(base64 -w0 "$public_der")
# The id: the first 32 hex digits of the SHA-256 of the public key, 0-f written as a-p.
id=$(sha256sum "$public_der" | cut -c1-32 | tr 0-9a-f a-p)
version=$(node -e 'console.log(JSON.parse(require("fs").readFileSync(process.argv[1], "utf8")).version)' \
  "$source_dir/manifest.json")

rm -rf "$out"
mkdir -p "$out"
echo "$id" > "$out/extension-id"

# Chromium: the same files, the manifest carrying the organisation's public key.
cp -r "$source_dir" "$out/chromium"
rm -f "$out/chromium/README.md"
node -e '
  const fs = require("fs");
  const file = process.argv[1];
  const manifest = JSON.parse(fs.readFileSync(file, "utf8"));
  manifest.key = process.argv[2];
  fs.writeFileSync(file, JSON.stringify(manifest, null, 2) + "\n");
' "$out/chromium/manifest.json" "$public_b64"
profile=$(mktemp -d)
chromium --headless --no-sandbox --disable-gpu --user-data-dir="$profile" \
  --pack-extension="$out/chromium" --pack-extension-key="$key" >/dev/null 2>&1 || true
rm -rf "$profile"
[ -s "$out/chromium.crx" ] || { echo "package-extension: chromium did not pack $out/chromium" >&2; exit 1; }
mv "$out/chromium.crx" "$out/vant3.crx"
chmod 644 "$out/vant3.crx"

cat > "$out/update.xml" <<XML
<?xml version='1.0' encoding='UTF-8'?>
<gupdate xmlns='http://www.google.com/update2/response' protocol='2.0'>
  <app appid='$id'>
    <updatecheck codebase='file://$crx_path' version='$version' />
  </app>
</gupdate>
XML
printf '{\n  "external_crx": "%s",\n  "external_version": "%s"\n}\n' "$crx_path" "$version" > "$out/external.json"

# Firefox: the variant the extension's own build step writes, zipped unsigned.
node "${VANT_FIREFOX_BUILD:-$root/scripts/build-firefox-extension.js}" "$out/firefox"
(cd "$out/firefox" && zip -q -X -r "$out/$gecko_id.xpi" .)

host_common='"name": "vant3.host", "description": "Vant3 印刷コントロール", "path": "'"$binary"'", "type": "stdio"'
printf '{%s,\n "allowed_origins": ["chrome-extension://%s/"]}\n' "$host_common" "$id" > "$out/chromium-host.json"
printf '{%s,\n "allowed_extensions": ["%s"]}\n' "$host_common" "$gecko_id" > "$out/firefox-host.json"

# Policies an administrator may install (documented examples, not installed by the package),
# from packaging/policies/ with the id filled in; their README goes beside them.
policies=$root/packaging/policies
[ "$crx_path" = /usr/share/vant3/extension/vant3.crx ] ||
  { echo "package-extension: the policy examples name /usr/share/vant3/extension/update.xml, not ${crx_path%/*}" >&2; exit 1; }
for example in chromium-policy.json firefox-policies.json firefox-managed-storage.json README; do
  sed "s/@EXTENSION_ID@/$id/g" "$policies/$example" > "$out/$example"
done
