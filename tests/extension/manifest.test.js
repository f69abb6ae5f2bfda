'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const crypto = require('node:crypto');
const fs = require('node:fs');
const path = require('node:path');
const { firefoxManifest } = require('../../scripts/build-firefox-extension.js');

const extensionDir = path.join(__dirname, '..', '..', 'extension');
const manifest = JSON.parse(fs.readFileSync(path.join(extensionDir, 'manifest.json'), 'utf8'));

// Chromium's id of an extension: the first 128 bits of the SHA-256 of its public key, each
// hex digit written as a letter from "a".
function extensionId(base64Key) {
  const hex = crypto.createHash('sha256').update(Buffer.from(base64Key, 'base64')).digest('hex').slice(0, 32);
  return [...hex].map((d) => String.fromCharCode(97 + parseInt(d, 16))).join('');
}

test('the public key fixes the id the host manifests allow', () => {
  const contract = fs.readFileSync(path.join(__dirname, '..', '..', 'docs', 'browser-host.md'), 'utf8');
  const id = extensionId(manifest.key);
  assert.equal(id, 'cmfoddcpcfojglfohaalpmkdlpchcekf');
  assert.ok(contract.includes(`chrome-extension://${id}/`));
});

test('every file the manifest names exists', () => {
  const named = [
    manifest.background.service_worker, manifest.options_ui.page, manifest.storage.managed_schema,
    ...manifest.content_scripts.flatMap((c) => [...(c.css || []), ...(c.js || [])]),
  ];
  for (const file of named) assert.ok(fs.existsSync(path.join(extensionDir, file)), file);
  JSON.parse(fs.readFileSync(path.join(extensionDir, manifest.storage.managed_schema), 'utf8'));
});

test('the Firefox variant has background scripts and the add-on id instead of the worker and key', () => {
  const ff = firefoxManifest(manifest);
  assert.equal(ff.key, undefined);
  assert.equal(ff.background.service_worker, undefined);
  assert.equal(ff.background.scripts.at(-1), manifest.background.service_worker);
  for (const file of ff.background.scripts) assert.ok(fs.existsSync(path.join(extensionDir, file)), file);
  assert.equal(ff.browser_specific_settings.gecko.id, 'print@vant3');
  assert.deepEqual(ff.content_scripts, manifest.content_scripts);
  assert.deepEqual(ff.permissions, [...manifest.permissions, 'webNavigation']);
});

test('the worker imports the scripts Firefox loads before it', () => {
  const worker = fs.readFileSync(path.join(extensionDir, manifest.background.service_worker), 'utf8');
  const imported = /importScripts\(([^)]*)\)/.exec(worker)[1].match(/'[^']+'/g).map((s) => s.slice(1, -1));
  assert.deepEqual(imported, firefoxManifest(manifest).background.scripts.slice(0, -1));
});

test('what the worker uses is granted: scripting and host access for open tabs, webRequest for who navigated', () => {
  assert.deepEqual([...manifest.permissions].sort(), ['nativeMessaging', 'scripting', 'storage', 'webRequest']);
  assert.deepEqual(manifest.host_permissions, ['<all_urls>']);
  const worker = fs.readFileSync(path.join(extensionDir, manifest.background.service_worker), 'utf8');
  for (const api of ['scripting.executeScript', 'scripting.insertCSS', 'webRequest.onBeforeRequest', 'connectNative']) {
    assert.ok(worker.includes(api), api);
  }
});

test('the control\'s layout applies from the first paint, its script once the document is ready', () => {
  const [layout, script] = manifest.content_scripts;
  assert.equal(layout.run_at, 'document_start');
  assert.deepEqual(layout.css, ['control-layout.css']);
  assert.equal(script.run_at, 'document_idle');
  assert.equal(script.js.at(-1), 'content.js');
  for (const entry of manifest.content_scripts) assert.deepEqual([entry.all_frames, entry.match_about_blank], [true, true]);
});
