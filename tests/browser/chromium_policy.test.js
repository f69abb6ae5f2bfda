// The package's example policy in Chromium, as an administrator installs it: the commented
// file is read, the origins it presets print without asking, and the entries it cannot
// apply are listed on the extension's options page with their reasons.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness.js');

const mode1 = h.page(h.control([['Mode', '1'], ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'scalemode,mm'],
  ['method3', 'prntext,10,10,PRESET,ＭＳ ゴシック,12,false,false,0'], ['method4', 'enddoc']], 'id="M" width="300" height="40"'));

// The example with the test extension's id, without its forced install (the test loads the
// extension itself), its list of origins replaced by the given one.
function examplePolicy(origins) {
  const file = path.join(__dirname, '..', '..', 'packaging', 'policies', 'chromium-policy.json');
  const text = fs.readFileSync(file, 'utf8').replaceAll('@EXTENSION_ID@', h.EXTENSION_ID)
    .replace(/^\s*"ExtensionInstallForcelist".*\n/m, '');
  assert.match(text, /^\s*\/\//m, 'the example is commented');
  const edited = text.replace(/^(\s*)"allowedOrigins": \[\],$/m, (_, indent) => `${indent}"allowedOrigins": ${JSON.stringify(origins)},`);
  assert.notEqual(edited, text, 'the example\'s allowedOrigins line');
  return edited;
}

test('the commented example policy presets its origins and shows the entries it refuses', async (t) => {
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/mode1.html': { body: mode1 } });
  const browser = await h.launchChromium(t, home, {
    policyFile: examplePolicy([site.origin, 'sales.example.com', 'https://*', 'https://*.example.com']),
  });
  // Preset: the page prints its Mode 1 list without asking, once the policy has come.
  const tab = await h.openPage(browser, site.url('/mode1.html'));
  const [{ outcome }] = await h.outcomes(tab.mainFrame(), 1, 60000);
  assert.equal(outcome.printed[0].printer, 'Vant3 PDF');

  const options = await browser.newPage();
  await options.goto(`chrome-extension://${h.EXTENSION_ID}/options.html`);
  await options.waitForFunction(() => !document.getElementById('refused').hidden, { timeout: 30000 });
  const refused = await options.$$eval('#refused-entries tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent)));
  assert.deepEqual(refused.map((r) => r.slice(0, 2)), [['allowedOrigins', 'sales.example.com'], ['allowedOrigins', 'https://*']]);
  assert.match(refused[0][2], /スキーム/);
  assert.match(refused[1][2], /「\*」/);
  const preset = await options.$$eval('#origins tr', (rows) => rows.map((r) => r.dataset.origin));
  assert.deepEqual(preset.sort(), [site.origin, 'https://*.example.com'].sort());
});
