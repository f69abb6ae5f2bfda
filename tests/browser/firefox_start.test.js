// Firefox at its start and at the add-on's: an administrator's policy forbidding the user's
// own origins holds from the start, and the add-on brings its boxes to the pages already open
// when it is installed or updated.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const h = require('./harness.js');
const { mode1, form, printedFiles, raiseVersion } = require('./hostile-pages.js');

const atStart = h.page(mode1());
const installed = h.page(form('INSTALLED'));

// The box, before its OBJECT.
const boxOf = (tab) => tab.evaluate(() => {
  const host = document.querySelector('object').previousElementSibling;
  if (!host || host.localName !== 'span') return null;
  const r = host.getBoundingClientRect();
  return { x: r.x, y: r.y };
});

const waitForBox = (tab) => tab.waitForFunction(() => {
  const object = document.querySelector('object');
  return object.previousElementSibling && object.previousElementSibling.localName === 'span';
}, { timeout: 30000, polling: 100 });

// Clicks at the box's offset until the page gets an outcome; returns it.
async function clickUntilOutcome(tab, dx, dy, count) {
  await waitForBox(tab);
  for (let attempt = 0; attempt < 30; attempt += 1) {
    const box = await boxOf(tab);
    if (box) await tab.mouse.click(box.x + dx, box.y + dy);
    const deadline = Date.now() + 1500;
    while (Date.now() < deadline) {
      const all = await tab.evaluate(() => window.vant3Outcomes);
      if (all.length >= count) return all[count - 1].outcome;
      await h.sleep(100);
    }
  }
  throw new Error('no outcome');
}

test('Firefox: a policy forbidding the user\'s origins holds from the start: no print, no host', async (t) => {
  h.requirePrivateServer();
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/start.html': { body: atStart } });
  // A first session: the user allows the site through the consent page; the page prints.
  const first = await h.launchFirefox(t, home);
  const tab = await h.openPage(first, site.url('/start.html'));
  await waitForBox(tab);
  await h.sleep(1500);
  let consentTab = null;
  for (let attempt = 0; attempt < 5 && !consentTab; attempt += 1) {
    const created = new Promise((resolve) => { first.once('targetcreated', resolve); });
    const box = await boxOf(tab);
    await tab.mouse.click(box.x + 20, box.y + 10);
    const target = await Promise.race([created, h.sleep(3000).then(() => null)]);
    if (target) consentTab = await target.page();
  }
  assert.ok(consentTab, 'the consent page opened');
  await consentTab.waitForFunction(() => document.getElementById('allow').hasAttribute('data-ready') &&
    !document.getElementById('allow').hidden, { polling: 100 });
  await consentTab.click('#allow');
  await h.outcomes(tab.mainFrame(), 1, 60000);
  assert.equal(printedFiles(home, 'start').length, 1);
  await first.close();

  // The administrator forbids user-allowed sites; the page is opened as the browser starts.
  const browser = await h.launchFirefox(t, home, { policy: { userMayAllow: false } });
  const hosts = home.hostStarts();
  const page = await h.openPage(browser, site.url('/start.html'));
  await waitForBox(page);
  await h.sleep(8000);
  assert.equal(printedFiles(home, 'start').length, 1);
  assert.equal(home.hostStarts(), hosts);
  assert.deepEqual(await page.evaluate(() => window.vant3Outcomes), []);
});

test('Firefox: installed while a page is open, the add-on brings its box to it; updated, it replaces it', async (t) => {
  h.requirePrivateServer();
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/installed.html': { body: installed } });
  const browser = await h.launchFirefox(t, home, { install: false, policy: { allowedOrigins: [site.origin] } });
  const tab = await h.openPage(browser, site.url('/installed.html'));
  assert.equal(await boxOf(tab), null);
  await h.installFirefoxExtension(browser, home);
  const outcome = await clickUntilOutcome(tab, 8 + 60, 8 + 16, 1);
  assert.match(h.paperOf(h.downloaded(home, outcome.printed[0])).text, /INSTALLED/);
  // An update: the same add-on again, a later version.
  const copy = path.join(home.home, 'extension-firefox');
  raiseVersion(copy);
  await tab.evaluate(() => { window.oldBox = document.querySelector('[data-vant3-box]'); });
  await browser.installExtension(copy);
  await tab.waitForFunction(() => !window.oldBox.isConnected && document.querySelector('[data-vant3-box]') !== null,
    { timeout: 30000, polling: 100 });
  assert.equal(await tab.evaluate(() => document.querySelectorAll('[data-vant3-box]').length), 1);
  const again = await clickUntilOutcome(tab, 8 + 60, 8 + 16, 2);
  assert.equal(again.printed.length, 1);
});
