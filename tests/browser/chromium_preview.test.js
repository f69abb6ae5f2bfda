// The preview from the page under a virtual display: the Qt preview window opens over the
// browser, the page's preview button is disabled while it is open, and closing it enables
// the button again and puts the printer selection back.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness.js');

// Printing after the preview shows which printer is current: the list changes it only
// after its document, so a printer left changed would take the next click's job.
const form = h.page(h.control([['CmdProperty', '発行,120'], ['method1', 'scalemode,mm'],
  ['method2', 'prntext,10,10,PREVIEWED,ＭＳ ゴシック,12,false,false,0'], ['method3', 'enddoc'],
  ['method4', 'changeprinter,Label']], 'id="V" width="300" height="50"'));

test('the preview window opens over the browser and closing it brings the button and the printer back', async (t) => {
  h.requirePrivateServer();
  const display = await h.startXvfb(t);
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/form.html': { body: form } });
  // The host registered as a user does it.
  const browser = await h.launchChromium(t, home, { display, registered: 'vant register' });
  await h.allowOriginByUser(browser, site.origin);
  const tab = await h.openPage(browser, site.url('/form.html'));
  const buttons = await h.waitForButtons(tab, (b) => b.length === 2);
  const preview = buttons.find((b) => b.role === 'preview');
  assert.equal(h.windows(display).length, 0);

  await h.click(tab, preview);
  await h.waitForButtons(tab, (b) => b.find((x) => x.role === 'preview').disabled);
  const deadline = Date.now() + 30000;
  let shown = [];
  while (shown.length === 0 && Date.now() < deadline) {
    await h.sleep(200);
    shown = h.windows(display);
  }
  assert.equal(shown.length, 1, 'one preview window');
  // Still open: the page's preview button stays disabled.
  await h.sleep(500);
  assert.equal((await h.controlButtons(tab)).find((x) => x.role === 'preview').disabled, true);

  h.pressKeys(display, shown[0].id, 'alt+c');  // "閉じる(&C)"
  const [{ target, outcome }] = await h.outcomes(tab.mainFrame(), 1);
  assert.equal(target, 'V');
  assert.deepEqual(outcome.messages, []);
  await h.waitForButtons(tab, (b) => b.find((x) => x.role === 'preview').disabled === false);
  assert.equal(h.windows(display).length, 0);

  await h.click(tab, buttons.find((b) => b.role === 'print'));
  const [, printed] = await h.outcomes(tab.mainFrame(), 2);
  assert.deepEqual(printed.outcome.printed.map((p) => p.printer), ['Office']);
});
