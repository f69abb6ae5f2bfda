// Firefox and the host's state of a tab, with the real host: a request whose caption 1024
// controls inherit keeps the host's memory bounded by its size; a page of one allowed origin
// never reads what a page of another left in the tab's state.
'use strict';
const fs = require('node:fs');
const { test, before } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness.js');
const { serveAttackOrigins, INVOICE_SECRET } = require('./attack-pages.js');

const suite = h.sharedSuite();
let home;
let browser;
let o;

before(async () => {
  h.requirePrivateServer();
  home = h.makeHome(suite);
  o = await serveAttackOrigins(suite);
  browser = await h.launchFirefox(suite, home, { policy: { allowedOrigins: [o.a.origin, o.f.origin] } });
});

// The most memory the process has held (VmHWM), in MiB.
function peakMiB(pid) {
  const status = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
  return Number(/^VmHWM:\s+(\d+) kB/m.exec(status)[1]) / 1024;
}

test('Firefox: one 200,000-character caption inherited by 1023 OBJECTs: the host answers at once and its memory stays bounded', async () => {
  const before = home.hostStarts();
  const tab = await h.openPage(browser, o.a.url('/captions.html'));
  // The host reads the request and answers it: here that its answer, 1024 captions, cannot be
  // sent within the browser's 1 MiB, said to the page, rather than build it.
  const [{ target, outcome }] = await h.outcomes(tab.mainFrame(), 1, 120000);
  assert.equal(target, 'C0');
  assert.deepEqual(outcome, { error: '応答が大きすぎるため送れません。' });
  assert.equal(home.hostStarts(), before + 1);
  const peak = peakMiB(home.hostPids().at(-1));
  console.log(`host peak for the caption request: ${peak.toFixed(0)} MiB`);
  // A request of 0.7 MB (its caption's UTF-8 and the 1024 OBJECTs): a small multiple of that
  // over what the host holds with no page at all (about 40 MiB); a copy of the caption in each
  // control took 2.4 GiB.
  assert.ok(peak < 200, `the host peaked at ${peak.toFixed(0)} MiB`);
  await tab.close();
});

test('Firefox: a page of one allowed origin framing another\'s invoice never quotes the invoice\'s fields', async () => {
  const tab = await h.openPage(browser, o.f.url('/framing-b.html'));
  const invoice = tab.frames().find((f) => f.url().includes('/invoice.html'));
  await invoice.waitForFunction(() => {
    const object = document.getElementById('Invoice');
    return object && object.previousElementSibling && object.previousElementSibling.localName === 'span';
  }, { timeout: 60000, polling: 100 });
  await h.sleep(1000);  // the invoice's reading has reached the tab's host
  await tab.evaluate(() => window.addModeOne());
  const [{ target, outcome }] = await h.outcomes(tab.mainFrame(), 1, 60000);
  assert.equal(target, 'B');
  assert.equal(outcome.stopped, true, JSON.stringify(outcome));
  const said = JSON.stringify(outcome);
  for (const field of INVOICE_SECRET.split(' ')) assert.ok(!said.includes(field), said);
  await tab.close();
});
