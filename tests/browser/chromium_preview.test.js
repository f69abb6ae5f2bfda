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

// A browser with a window of its own on the display: the preview is a modal dialog (as the
// window system is told), stacked above the browser's window when it appears.
test('the preview window is a modal dialog above the browser window', async (t) => {
  h.requirePrivateServer();
  const display = await h.startXvfb(t);
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/form.html': { body: form } });
  const browser = await h.launchChromium(t, home, { display, headless: false, registered: 'vant register' });
  await h.allowOriginByUser(browser, site.origin);
  const tab = await h.openPage(browser, site.url('/form.html'));
  const buttons = await h.waitForButtons(tab, (b) => b.length === 2);
  const env = { ...process.env, DISPLAY: display };
  const browserWindows = h.windows(display).map((w) => w.id);
  assert.ok(browserWindows.length >= 1, 'the browser shows a window');

  await h.click(tab, buttons.find((b) => b.role === 'preview'));
  const deadline = Date.now() + 30000;
  let preview;
  while (!preview && Date.now() < deadline) {
    await h.sleep(200);
    preview = h.windows(display).find((w) => w.title === 'Ostra帳票印刷');
  }
  assert.ok(preview, 'the preview window appears');
  await h.sleep(500);  // mapped and stacked
  const props = h.tool('xprop', ['-id', preview.id, '_NET_WM_STATE', '_NET_WM_WINDOW_TYPE'], { env });
  assert.match(props, /_NET_WM_STATE\(ATOM\) = .*_NET_WM_STATE_MODAL/);
  assert.match(props, /_NET_WM_WINDOW_TYPE\(ATOM\) = _NET_WM_WINDOW_TYPE_DIALOG/);
  // The root's children, top-most first: the preview before every window of the browser.
  const stacking = h.tool('xwininfo', ['-root', '-children'], { env }).split('\n')
    .map((line) => /^\s+(0x[0-9a-f]+)/.exec(line)).filter(Boolean).map((m) => Number.parseInt(m[1], 16));
  const place = (id) => stacking.indexOf(Number(id));
  assert.ok(place(preview.id) >= 0, 'the preview is a child of the root');
  for (const id of browserWindows) {
    if (place(id) >= 0) assert.ok(place(preview.id) < place(id), `the preview is above browser window ${id}`);
  }
  h.pressKeys(display, preview.id, 'alt+c');  // "閉じる(&C)"
  await h.outcomes(tab.mainFrame(), 1);
  assert.equal(h.windows(display).find((w) => w.title === 'Ostra帳票印刷'), undefined);
});
