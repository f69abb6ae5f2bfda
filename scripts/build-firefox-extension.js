#!/usr/bin/env node
// Writes the Firefox variant of the extension: the same files, with a manifest that names
// background scripts instead of a service worker and the add-on id instead of the key.
//   node scripts/build-firefox-extension.js OUT_DIR
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const source = path.join(__dirname, '..', 'extension');

function firefoxManifest(manifest) {
  const out = { ...manifest };
  delete out.key;
  delete out.minimum_chrome_version;
  // Firefox loads no service worker for an extension: the worker's imports become scripts.
  out.background = {
    scripts: ['lib/origins.js', 'lib/consent-store.js', 'lib/policy-wait.js', 'lib/tab-hosts.js',
      'lib/navigation-trust.js', 'lib/page-loads.js', 'lib/document-link.js', manifest.background.service_worker],
  };
  // Firefox reports no request for the first page of a tab a page opens: who opened it comes
  // from webNavigation instead (Chromium reports the request, and shows no new warning).
  out.permissions = [...manifest.permissions, 'webNavigation'];
  out.browser_specific_settings = { gecko: { id: 'print@vant3', strict_min_version: '128.0' } };
  return out;
}

function build(outDir) {
  fs.rmSync(outDir, { recursive: true, force: true });
  fs.cpSync(source, outDir, { recursive: true, filter: (p) => path.basename(p) !== 'README.md' });
  const manifest = JSON.parse(fs.readFileSync(path.join(source, 'manifest.json'), 'utf8'));
  fs.writeFileSync(path.join(outDir, 'manifest.json'), `${JSON.stringify(firefoxManifest(manifest), null, 2)}\n`);
}

if (require.main === module) {
  if (process.argv.length !== 3) {
    process.stderr.write('usage: build-firefox-extension.js OUT_DIR\n');
    process.exit(2);
  }
  build(path.resolve(process.argv[2]));
}

module.exports = { firefoxManifest, build };
