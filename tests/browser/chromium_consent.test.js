// Consent in Chromium: an origin nobody allowed gets only the action to allow it (no host,
// no print, Mode 1 included); allowed through the extension's own page it prints; revoked in
// the options page it stops. An administrator's policy presets origins or forbids the user's.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness.js');

const mode1 = h.page(h.control([['Mode', '1'], ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'scalemode,mm'],
  ['method3', 'prntext,10,10,CONSENTED,ＭＳ ゴシック,12,false,false,0'], ['method4', 'enddoc']], 'id="M" width="300" height="40"'));

const roles = (buttons) => buttons.map((b) => b.role).sort().join(',');

test('an origin not allowed prints nothing and offers consent; the extension\'s page allows it', async (t) => {
  const home = h.makeHome(t);
  const plugin = h.page(h.control([['movie', 'intro.swf']], 'id="Movie" width="300" height="40"'));
  const site = await h.serve(t, { '/mode1.html': { body: mode1 }, '/plugin.html': { body: plugin } });
  const browser = await h.launchChromium(t, home);
  // A page whose only OBJECT is no control gets no offer.
  const pluginTab = await h.openPage(browser, site.url('/plugin.html'));
  await h.sleep(1000);
  assert.deepEqual(await h.controlButtons(pluginTab), []);
  await pluginTab.close();  // once allowed, its document would have a host of its own
  const tab = await h.openPage(browser, site.url('/mode1.html'));
  const [consent] = await h.waitForButtons(tab, (b) => roles(b) === 'consent');
  assert.equal(consent.caption, 'このサイトでの印刷を許可する…');
  // A page script's click on the consent action opens nothing.
  await h.scriptClick(tab, 'consent');
  await h.sleep(1000);
  assert.equal(browser.targets().filter((x) => x.url().includes('/consent.html')).length, 0,
    'no consent page for a script\'s click');
  assert.equal(home.hostStarts(), 0, 'the document never reached a host');
  assert.deepEqual(await tab.evaluate(() => window.vant3Outcomes), []);

  // The user's click opens the extension's page for this origin; allowing there prints the
  // Mode 1 page once, in place.
  const consentPage = browser.waitForTarget((target) => target.url().includes('/consent.html?origin='));
  await h.click(tab, consent);
  const consentTab = await (await consentPage).page();
  assert.equal(await consentTab.$eval('#origin', (e) => e.textContent), site.origin);
  await consentTab.waitForSelector('#allow:not([hidden])');
  await consentTab.click('#allow');
  const [{ outcome }] = await h.outcomes(tab.mainFrame(), 1);
  assert.equal(outcome.printed[0].printer, 'Vant3 PDF');
  assert.match(h.paperOf(h.downloaded(home, outcome.printed[0])).text, /CONSENTED/);
  await h.waitForButtons(tab, (b) => roles(b) === 'preview,print');
  assert.equal(home.hostStarts(), 1);
  const [hostPid] = home.hostPids();
  assert.equal(h.running(hostPid), true, 'the host serves the page while it is open');

  // Listed in the options page; revoked there, the page offers consent again.
  const options = await browser.newPage();
  await options.goto(`chrome-extension://${h.EXTENSION_ID}/options.html`);
  await options.waitForSelector(`tr[data-origin="${site.origin}"] button`);
  assert.match(await options.$eval(`tr[data-origin="${site.origin}"]`, (e) => e.textContent), /利用者による許可/);
  await options.click(`tr[data-origin="${site.origin}"] button`);
  await options.waitForFunction((o) => !document.querySelector(`tr[data-origin="${o}"]`), {}, site.origin);
  await h.waitForButtons(tab, (b) => roles(b) === 'consent');
  await h.waitForExit(hostPid);
});

test('an administrator\'s policy presets an origin, and can forbid the user\'s own', async (t) => {
  const home = h.makeHome(t);
  const routes = { '/mode1.html': { body: mode1 } };
  const preset = await h.serve(t, routes);
  const other = await h.serve(t, routes);
  const browser = await h.launchChromium(t, home, {
    policy: { allowedOrigins: [`${preset.origin}/`], userMayAllow: false },
  });
  // The policy reaches the extension some seconds after start: the page prints once it has.
  const tab = await h.openPage(browser, preset.url('/mode1.html'));
  const [{ outcome }] = await h.outcomes(tab.mainFrame(), 1, 60000);
  assert.equal(outcome.printed[0].printer, 'Vant3 PDF');

  const forbidden = await h.openPage(browser, other.url('/mode1.html'));
  await h.waitForButtons(forbidden, (b) => roles(b) === 'forbidden');
  const options = await browser.newPage();
  await options.goto(`chrome-extension://${h.EXTENSION_ID}/options.html`);
  await options.waitForSelector(`tr[data-origin="${preset.origin}"]`);
  assert.match(await options.$eval(`tr[data-origin="${preset.origin}"]`, (e) => e.textContent), /管理者による設定/);
  assert.equal(await options.$(`tr[data-origin="${preset.origin}"] button`), null, 'a preset origin cannot be revoked');
  assert.equal(home.hostStarts(), 1);
  await options.goto(`chrome-extension://${h.EXTENSION_ID}/consent.html?origin=${encodeURIComponent(other.origin)}`);
  await options.waitForFunction(() => document.getElementById('status').textContent !== '');
  assert.equal(await options.$eval('#allow', (e) => e.hidden), true);
});

test('a host that is not registered is reported in the box and to the page', async (t) => {
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/form.html': { body: mode1 } });
  const browser = await h.launchChromium(t, home, { registered: false, policy: { allowedOrigins: [site.origin] } });
  const tab = await h.openPage(browser, site.url('/form.html'));
  const [{ target, outcome }] = await h.outcomes(tab.mainFrame(), 1, 60000);
  assert.equal(target, 'M');
  assert.match(outcome.error, /^印刷ホストに接続できません/);
  const [notice] = await h.waitForButtons(tab, (b) => b.some((x) => x.role === 'notice'));
  assert.equal(notice.role, 'notice');
});
