// Chromium against pages nobody allowed, with the real host: an allowed page framed, reloaded,
// opened as a popup or made transparent by a page nobody allowed prints nothing; the control's
// box says why; clicks count only on a box the user sees where it stands; the consent page
// ignores quick clicks; a sandboxed document never prints as its site; every document of a tab
// shares one host and one method list; the box takes the OBJECT's place in the layout.
'use strict';
const { test, before } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness.js');
const { serveOrigins, openThreeThousandObjects, printedFiles, waitForPrinted, outcomeInNewTab, frameOf, layoutNow, LAYOUT_CASES } = require('./hostile-pages.js');

const suite = h.sharedSuite();
let home;
let browser;
let o;

const byRole = (buttons, role) => buttons.filter((b) => b.role === role);

before(async () => {
  h.requirePrivateServer();
  home = h.makeHome(suite);
  o = await serveOrigins(suite);
  browser = await h.launchChromium(suite, home, { policy: { allowedOrigins: [o.a.origin, o.a2.origin] } });
  // The policy reaches the extension some seconds after start.
  const tab = await h.openPage(browser, o.a.url('/form.html'));
  await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1, 60000);
  await tab.close();
});


// Clicks the nth print button of the tab (in any frame) and returns the outcome the frame got.
async function printFrom(tab, frame, nth = 0) {
  const buttons = await h.waitForButtons(tab, (b) => byRole(b, 'print').length > nth);
  const count = await frame.evaluate(() => window.vant3Outcomes.length);
  await h.click(tab, byRole(buttons, 'print')[nth]);
  return (await h.outcomes(frame, count + 1))[count].outcome;
}

// Boxes of any kind (buttons, notices, the consent action), one per OBJECT.
const boxCount = (buttons) => buttons.filter((b) => b.role !== 'preview').length;

test('100 frames of an allowed Mode 1 page in a page nobody allowed: no print, no host, each box says why', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/frames100.html'));
    await h.waitForButtons(tab, (b) => boxCount(b) === 100, 90000);
    await h.sleep(2000);
  });
  assert.deepEqual(printedFiles(home, 'mode1-f'), []);
  assert.equal(hosts, 0);
  const boxes = await h.controlButtons(tab);
  assert.equal(byRole(boxes, 'framed').length, 100);
  for (const box of boxes) assert.match(box.caption, new RegExp(`\\(${o.b.origin.replace(/[.:/]/g, '\\$&')}\\) は印刷を許可されていない`));
  await tab.close();
});

test('3000 OBJECTs of a page nobody allowed: each gets its box, the page goes on, no host starts', async () => {
  const { tab, hosts, boxes } = await openThreeThousandObjects(browser, home, o);
  assert.equal(hosts, 0);
  assert.equal(boxes, 3000);
  await tab.close();
});

test('48 frames: of a page nobody allowed, no host; of an allowed page, one host serves them all', async () => {
  let tab;
  assert.equal(await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/frames48-b.html'));
    await h.waitForButtons(tab, (b) => boxCount(b) === 48, 60000);
    await h.sleep(1000);
  }), 0);
  assert.equal(byRole(await h.controlButtons(tab), 'framed').length, 48);
  await tab.close();
  assert.equal(await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.a.url('/frames48.html'));
    await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 48, 60000);
    // A frame in view (those below it wait, unseen, until the user scrolls there).
    const frame = tab.frames().find((f) => f.url().endsWith('/form-48.html?1'));
    await frame.waitForFunction(() => window.vant3Outcomes !== undefined);
    const outcome = await printFrom(tab, frame, 1);
    assert.equal(outcome.printed.length, 1);
    assert.match(h.paperOf(h.downloaded(home, outcome.printed[0])).text, /FORTY-EIGHT/);
  }), 1);
  await tab.close();
});

test('an allowed page reloaded in its frame again and again by a page nobody allowed prints nothing', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/reload-frame.html'));
    await h.sleep(11000);  // twenty reloads, 500 ms apart
  });
  assert.deepEqual(printedFiles(home, 'mode1-r'), []);
  assert.equal(hosts, 0);
  await h.waitForButtons(tab, (b) => byRole(b, 'framed').length === 1);
  await tab.close();
});

test('an allowed Mode 1 page prints once in its tab, reloaded by itself or by the user; in a new tab again', async () => {
  const tab = await h.openPage(browser, o.a.url('/self-reload.html'));
  await tab.waitForFunction(() => window.reloads === 10, { timeout: 30000, polling: 200 });
  await h.sleep(2000);
  assert.equal(printedFiles(home, 'self-reload').length, 1, 'ten reloads, one print');
  await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1);
  // Long after (no interval holds it): the tab's control has printed its list, so a reload runs nothing.
  await h.sleep(5500);
  await tab.reload({ waitUntil: 'load' });
  await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1);
  await h.sleep(1000);
  assert.equal(printedFiles(home, 'self-reload').length, 1, 'the user\'s reload prints nothing');
  // Its first click only rewinds the list, as the print button does after a Mode 1 run; the next prints.
  const rewound = await printFrom(tab, tab.mainFrame());
  assert.deepEqual(rewound.printed, []);
  const printed = await printFrom(tab, tab.mainFrame());
  assert.equal(printed.printed.length, 1);
  // Another tab has a control of its own.
  assert.equal((await outcomeInNewTab(browser, o.a.url('/self-reload.html?n=10'))).printed.length, 1);
  assert.equal(printedFiles(home, 'self-reload').length, 3);
  await tab.close();
});

test('a popup a page nobody allowed opens and navigates again and again runs no Mode 1 list; its button prints; the site\'s own popup runs it', async () => {
  const tab = await h.openPage(browser, o.b.url('/opener.html'));
  const popupTarget = browser.waitForTarget((x) => x.url().includes('/mode1-p.html'));
  await tab.click('#go');
  const popup = await (await popupTarget).page();
  await h.sleep(6 * 700 + 2500);
  assert.deepEqual(printedFiles(home, 'mode1-p'), []);
  // Allowed, so it has its buttons; the user's click prints.
  await h.recordOutcomesIn(popup.mainFrame());
  const outcome = await printFrom(popup, popup.mainFrame());
  assert.equal(outcome.printed.length, 1);
  await popup.close();
  await tab.close();
  // The allowed site's own print window runs its list.
  const app = await h.openPage(browser, o.a.url('/opener-a.html'));
  const ownTarget = browser.waitForTarget((x) => x.url().includes('/mode1-pa.html'));
  await app.click('#go');
  await (await ownTarget).page();
  assert.deepEqual(await waitForPrinted(home, 'mode1-pa', 1), ['mode1-pa.pdf']);
  await app.close();
});

test('clickjacking: an allowed form under a page nobody allowed prints nothing on the user\'s click', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/prize.html'));
    await h.waitForButtons(tab, (b) => boxCount(b) === 1);
    await h.sleep(1500);
    for (let i = 0; i < 3; i += 1) {
      await tab.mouse.click(8 + 8 + 60, 8 + 8 + 16);  // where the transparent print button would be
      await h.sleep(300);
    }
    await h.sleep(1000);
  });
  assert.deepEqual(printedFiles(home, 'form-c'), []);
  assert.equal(hosts, 0);
  assert.equal(byRole(await h.controlButtons(tab), 'framed').length, 1);
  await tab.close();
});

test('a transparent frame, a covered form, a form moved under the pointer: no print until the user sees it stand', async () => {
  // The allowed site framing itself at opacity 0.01: the browser says its box is not visible.
  const transparent = await h.openPage(browser, o.a.url('/transparent.html'));
  const [hidden] = await h.waitForButtons(transparent, (b) => byRole(b, 'print').length === 1);
  await h.sleep(1500);
  assert.equal((await h.controlButtons(transparent)).find((b) => b.role === 'print').ready, false);
  await transparent.mouse.click(hidden.x + 20, hidden.y + 10);
  // Covered by an element that lets the click through.
  const covered = await h.openPage(browser, o.a.url('/covered.html'));
  const [under] = await h.waitForButtons(covered, (b) => byRole(b, 'print').length === 1);
  await h.sleep(1500);
  assert.equal((await h.controlButtons(covered)).find((b) => b.role === 'print').ready, false);
  await covered.mouse.click(under.x + 20, under.y + 10);
  await h.sleep(1500);
  assert.deepEqual(printedFiles(home, 'form-t'), []);
  assert.deepEqual(printedFiles(home, 'covered'), []);
  await transparent.close();
  await covered.close();

  // Moved under the pointer just before the click: nothing; once it has stood still, the click prints.
  const moving = await h.openPage(browser, o.a.url('/moving.html'));
  await h.waitForButtons(moving, (b) => byRole(b, 'print').length === 1);
  await h.sleep(1000);  // it has stood long enough
  await moving.mouse.move(60, 30);
  await moving.evaluate(() => window.moveUp());
  const [moved] = await h.waitForButtons(moving, (b) => byRole(b, 'print').length === 1 && b[0].y < 30);
  await moving.mouse.click(moved.x + 20, moved.y + 10);
  await h.sleep(1000);
  assert.deepEqual(printedFiles(home, 'moving'), []);
  const outcome = await printFrom(moving, moving.mainFrame());
  assert.equal(outcome.printed.length, 1);
  await moving.close();
});

test('a sandboxed document of an allowed site prints nothing, as a page or as a frame, and says why', async () => {
  const page = await h.openPage(browser, o.a.url('/sandboxed.html'));
  const framed = await h.openPage(browser, o.a.url('/sandbox-frame.html'));
  await h.waitForButtons(page, (b) => boxCount(b) === 1);
  await h.waitForButtons(framed, (b) => boxCount(b) === 1);
  await h.sleep(1500);
  assert.deepEqual(printedFiles(home, 'sandboxed'), []);
  assert.deepEqual(printedFiles(home, 'mode1-s'), []);
  const [notice] = byRole(await h.controlButtons(page), 'opaque');
  assert.match(notice.caption, /サンドボックス/);
  assert.equal(byRole(await h.controlButtons(framed), 'opaque').length, 1);
  await page.close();
  await framed.close();
});

test('the frames of one tab share one host; one origin\'s share one method list (the last reading wins), another\'s finds it clean', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.a.url('/two-frames.html'));
    const one = frameOf(tab, '/list-one.html');
    await one.waitForFunction(() => window.vant3Outcomes !== undefined);
    const first = await printFrom(tab, one);
    assert.match(h.paperOf(h.downloaded(home, first.printed[0])).text, /LIST ONE/);
    // A frame of the same origin comes later: its reading is the last.
    await tab.evaluate(() => window.addSecond());
    await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 2);
    const second = await printFrom(tab, one);
    assert.match(h.paperOf(h.downloaded(home, second.printed[0])).text, /LIST TWO/);
    // One of another allowed origin: the first frame's click finds the state clean, nothing of
    // the other site's list.
    await tab.evaluate(() => window.addThird());
    await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 3);
    await h.sleep(1000);
    const third = await printFrom(tab, one);
    assert.deepEqual(third.printed, []);
    assert.doesNotMatch(JSON.stringify(third), /LIST/);
  });
  assert.equal(hosts, 1);
  await tab.close();
});

test('quick clicks on the consent page allow nothing; a deliberate click allows', async () => {
  const tab = await h.openPage(browser, o.c.url('/ask.html'));
  const [consent] = await h.waitForButtons(tab, (b) => byRole(b, 'consent').length === 1);
  const consentTarget = browser.waitForTarget((x) => x.url().includes('/consent.html?origin='));
  await h.click(tab, consent);
  const consentTab = await (await consentTarget).page();
  // The clicks go on where the page had them go: at once, and on the button as soon as it shows.
  const place = await consentTab.waitForFunction(() => {
    const allow = document.getElementById('allow');
    if (!allow || allow.hidden) return null;
    const r = allow.getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  }, { polling: 10 }).then((handle) => handle.jsonValue());
  const until = Date.now() + 2000;
  while (Date.now() < until) {
    await consentTab.mouse.click(place.x, place.y);
    await h.sleep(40);
  }
  await h.sleep(500);
  assert.equal(await consentTab.$eval('#status', (e) => e.textContent), '');
  assert.equal(byRole(await h.controlButtons(tab), 'consent').length, 1, 'still asking');
  // One click after the page has stood still allows.
  await consentTab.waitForSelector('#allow[data-ready]:not([hidden])');
  await consentTab.mouse.click(place.x, place.y);
  await consentTab.waitForFunction(() => document.getElementById('status').textContent.includes('許可されています'));
  await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1);
  await consentTab.close();
  await tab.close();
});

test('the box takes exactly the OBJECT\'s place: nothing around it moves', async () => {
  const tab = await h.openPage(browser, o.a.url('/layout.html'));
  await h.waitForButtons(tab, (b) => byRole(b, 'print').length === LAYOUT_CASES.length);
  const { before: was, now, boxes } = await layoutNow(tab);
  assert.deepEqual(now, was.places);
  assert.deepEqual(boxes, was.objects);
  await tab.close();
});
