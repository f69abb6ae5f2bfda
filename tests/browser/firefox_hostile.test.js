// Firefox against pages nobody allowed, with the real host: the same pages as in Chromium.
// Firefox tells no visibility of its own: the ancestors' rule keeps a page nobody allowed from
// making an allowed frame print, and the styles around a box (its same-origin frames
// included) tell whether the user sees it. The box's content lives in a closed shadow root
// that WebDriver BiDi cannot read: the tests click where the print button stands (8, 8 in the
// box) and read what printed.
'use strict';
const { test, before } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness.js');
const { serveOrigins, openThreeThousandObjects, printedFiles, waitForPrinted, outcomeInNewTab, frameOf, layoutNow, LAYOUT_CASES } = require('./hostile-pages.js');

const suite = h.sharedSuite();
let home;
let browser;
let o;

before(async () => {
  h.requirePrivateServer();
  home = h.makeHome(suite);
  o = await serveOrigins(suite);
  browser = await h.launchFirefox(suite, home, { policy: { allowedOrigins: [o.a.origin, o.a2.origin] } });
});


// The middle of the print button of the box of the OBJECT id in frame, in the tab's viewport.
async function printButtonOf(frame, id) {
  const box = await frame.waitForFunction((objectId) => {
    const object = document.getElementById(objectId);
    const host = object && object.previousElementSibling;
    if (!host || host.localName !== 'span') return null;  // the box, before its OBJECT
    const r = host.getBoundingClientRect();
    return { x: r.x, y: r.y };
  }, { timeout: 30000, polling: 100 }, id).then((handle) => handle.jsonValue());
  let x = box.x + 8 + 60;
  let y = box.y + 8 + 16;
  for (let f = frame; f.parentFrame(); f = f.parentFrame()) {
    const element = await f.frameElement();
    const r = await element.evaluate((e) => { const b = e.getBoundingClientRect(); return { x: b.x + e.clientLeft, y: b.y + e.clientTop }; });
    x += r.x;
    y += r.y;
  }
  return { x, y };
}

const outcomeCount = (frame) => frame.evaluate(() => window.vant3Outcomes.length);

// Clicks where the print button stands until the frame gets an outcome (the buttons come with
// the host's answer, and a click counts once the box has stood visible for a moment).
async function printFrom(tab, frame, id) {
  await h.recordOutcomesIn(frame);
  const at = await printButtonOf(frame, id);
  const count = await outcomeCount(frame);
  for (let attempt = 0; attempt < 20; attempt += 1) {
    await tab.mouse.click(at.x, at.y);
    const deadline = Date.now() + 1500;
    while (Date.now() < deadline) {
      if (await outcomeCount(frame) > count) return (await frame.evaluate(() => window.vant3Outcomes))[count].outcome;
      await h.sleep(100);
    }
  }
  throw new Error(`no outcome in ${frame.url()}`);
}

// Waits until every frame of the tab whose URL holds part has its box.
async function boxesIn(tab, part, count) {
  const deadline = Date.now() + 90000;
  for (;;) {
    const frames = tab.frames().filter((f) => f.url().includes(part));
    let boxed = 0;
    for (const f of frames) {
      try {
        const boxedHere = await f.evaluate(() => {
          const object = document.querySelector('object');
          return Boolean(object && object.previousElementSibling && object.previousElementSibling.localName === 'span');
        });
        if (boxedHere) boxed += 1;
      } catch {
        // a frame still loading
      }
    }
    if (boxed >= count) return;
    if (Date.now() > deadline) throw new Error(`${boxed} of ${count} frames have their box`);
    await h.sleep(300);
  }
}


test('Firefox: 100 frames of an allowed Mode 1 page in a page nobody allowed print nothing and start no host', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/frames100.html'));
    await boxesIn(tab, '/mode1-f.html', 100);
    await h.sleep(3000);
  });
  assert.deepEqual(printedFiles(home, 'mode1-f'), []);
  assert.equal(hosts, 0);
  await tab.close();
});

test('Firefox: 3000 OBJECTs of a page nobody allowed: each gets its box, the page goes on, no host starts', async () => {
  const { tab, hosts, boxes } = await openThreeThousandObjects(browser, home, o);
  assert.equal(hosts, 0);
  assert.equal(boxes, 3000);
  await tab.close();
});

test('Firefox: 48 frames of a page nobody allowed start no host; of an allowed page, one host serves them all', async () => {
  let tab;
  assert.equal(await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/frames48-b.html'));
    await boxesIn(tab, '/form-48.html', 48);
    await h.sleep(2000);
  }), 0);
  await tab.close();
  assert.equal(await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.a.url('/frames48.html'));
    await boxesIn(tab, '/form-48.html', 48);
    const frame = tab.frames().find((f) => f.url().endsWith('/form-48.html?1'));
    const outcome = await printFrom(tab, frame, 'F');
    assert.match(h.paperOf(h.downloaded(home, outcome.printed[0])).text, /FORTY-EIGHT/);
  }), 1);
  await tab.close();
});

test('Firefox: an allowed page reloaded in its frame again and again by a page nobody allowed prints nothing', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/reload-frame.html'));
    await h.sleep(12000);
  });
  assert.deepEqual(printedFiles(home, 'mode1-r'), []);
  assert.equal(hosts, 0);
  await tab.close();
});

test('Firefox: an allowed Mode 1 page prints once in its tab, reloaded by itself or by the user; in a new tab again', async () => {
  const tab = await h.openPage(browser, o.a.url('/self-reload.html'));
  await tab.waitForFunction(() => window.reloads === 10, { timeout: 30000, polling: 200 });
  await h.sleep(2000);
  assert.equal(printedFiles(home, 'self-reload').length, 1, 'ten reloads, one print');
  await h.sleep(4000);
  await tab.reload({ waitUntil: 'load' });
  await h.sleep(2000);
  assert.equal(printedFiles(home, 'self-reload').length, 1, 'the user\'s reload prints nothing');
  assert.deepEqual((await printFrom(tab, tab.mainFrame(), 'M')).printed, [], 'the first click only rewinds');
  assert.equal((await printFrom(tab, tab.mainFrame(), 'M')).printed.length, 1);
  assert.equal((await outcomeInNewTab(browser, o.a.url('/self-reload.html?n=10'))).printed.length, 1);
  assert.equal(printedFiles(home, 'self-reload').length, 3);
  await tab.close();
});

test('Firefox: a popup a page nobody allowed opens and navigates again and again runs no Mode 1 list; the site\'s own popup runs it', async () => {
  const tab = await h.openPage(browser, o.b.url('/opener.html'));
  const pagesBefore = (await browser.pages()).length;
  await tab.click('#go');
  await h.sleep(6 * 700 + 3000);
  assert.equal((await browser.pages()).length, pagesBefore + 1, 'the popup opened');
  assert.deepEqual(printedFiles(home, 'mode1-p'), []);
  const popup = (await browser.pages()).at(-1);
  assert.equal((await printFrom(popup, popup.mainFrame(), 'M')).printed.length, 1, 'its button prints');
  await popup.close();
  await tab.close();
  // The allowed site's own print window runs its list.
  const app = await h.openPage(browser, o.a.url('/opener-a.html'));
  await app.click('#go');
  assert.deepEqual(await waitForPrinted(home, 'mode1-pa', 1), ['mode1-pa.pdf']);
  await (await browser.pages()).at(-1).close();
  await app.close();
});

test('Firefox: clickjacking and a transparent frame print nothing on the user\'s clicks', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/prize.html'));
    await boxesIn(tab, '/form-c.html', 1);
    await h.sleep(1500);
    for (let i = 0; i < 3; i += 1) {
      await tab.mouse.click(8 + 8 + 60, 8 + 8 + 16);
      await h.sleep(700);
    }
  });
  assert.deepEqual(printedFiles(home, 'form-c'), []);
  assert.equal(hosts, 0);
  await tab.close();
  // The allowed site framing itself at opacity 0.01: the frame's styles say it is not seen.
  const transparent = await h.openPage(browser, o.a.url('/transparent.html'));
  const frame = frameOf(transparent, '/form-t.html');
  const at = await printButtonOf(frame, 'F');
  await h.sleep(2500);
  for (let i = 0; i < 3; i += 1) {
    await transparent.mouse.click(at.x, at.y);
    await h.sleep(700);
  }
  assert.deepEqual(printedFiles(home, 'form-c'), []);
  assert.deepEqual(printedFiles(home, 'form-t'), []);
  await transparent.close();
});

test('Firefox: a form moved under the pointer prints only once it has stood still', async () => {
  const tab = await h.openPage(browser, o.a.url('/moving.html'));
  await printButtonOf(tab.mainFrame(), 'F');
  await h.sleep(2500);  // the host has answered and the box stood long enough
  await tab.mouse.move(76, 32);
  await tab.evaluate(() => window.moveUp());
  await h.sleep(50);
  await tab.mouse.click(76, 32);
  await h.sleep(1000);
  assert.deepEqual(printedFiles(home, 'moving'), []);
  assert.equal((await printFrom(tab, tab.mainFrame(), 'F')).printed.length, 1);
  await tab.close();
});

test('Firefox: a sandboxed document of an allowed site prints nothing, as a page or as a frame', async () => {
  const page = await h.openPage(browser, o.a.url('/sandboxed.html'));
  const framed = await h.openPage(browser, o.a.url('/sandbox-frame.html'));
  await boxesIn(page, '/sandboxed.html', 1);
  await boxesIn(framed, '/mode1-s.html', 1);
  await h.sleep(3000);
  assert.deepEqual(printedFiles(home, 'sandboxed'), []);
  assert.deepEqual(printedFiles(home, 'mode1-s'), []);
  await page.close();
  await framed.close();
});

test('Firefox: the frames of one tab share one host; one origin\'s share one method list, another\'s finds it clean', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.a.url('/two-frames.html'));
    const one = frameOf(tab, '/list-one.html');
    assert.match(h.paperOf(h.downloaded(home, (await printFrom(tab, one, 'One')).printed[0])).text, /LIST ONE/);
    await tab.evaluate(() => window.addSecond());
    await boxesIn(tab, '/list-two.html', 1);
    await h.sleep(1500);  // the second frame's reading reaches the host
    assert.match(h.paperOf(h.downloaded(home, (await printFrom(tab, one, 'One')).printed[0])).text, /LIST TWO/);
    await tab.evaluate(() => window.addThird());
    await boxesIn(tab, '/list-three.html', 1);
    await h.sleep(1500);
    const third = await printFrom(tab, one, 'One');
    assert.deepEqual(third.printed, []);
    assert.doesNotMatch(JSON.stringify(third), /LIST/);
  });
  assert.equal(hosts, 1);
  await tab.close();
});

test('Firefox: quick clicks on the consent page allow nothing; a deliberate click allows', async () => {
  const tab = await h.openPage(browser, o.c.url('/ask.html'));
  const at = await printButtonOf(tab.mainFrame(), 'F');
  const consentAt = { x: at.x - 60, y: at.y - 16 + 10 };  // the consent button at 0, 0 in the box
  await h.sleep(1500);
  let consentTab = null;
  for (let attempt = 0; attempt < 5 && !consentTab; attempt += 1) {
    const created = new Promise((resolve) => { browser.once('targetcreated', resolve); });
    await tab.mouse.click(consentAt.x, consentAt.y);
    const target = await Promise.race([created, h.sleep(3000).then(() => null)]);
    if (target) consentTab = await target.page();
  }
  assert.ok(consentTab, 'the consent page opened');
  // The clicks go on at once, on the button as soon as it shows, as the page had them go.
  let place = null;
  const until = Date.now() + 2500;
  while (Date.now() < until) {
    if (!place) {
      place = await consentTab.evaluate(() => {
        const allow = document.getElementById('allow');
        if (!allow || allow.hidden) return null;
        const r = allow.getBoundingClientRect();
        return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
      }).catch(() => null);
    }
    if (place) await consentTab.mouse.click(place.x, place.y);
    await h.sleep(40);
  }
  assert.ok(place, 'the allow button showed');
  await h.sleep(300);
  assert.equal(await consentTab.evaluate(() => document.getElementById('status').textContent), '');
  // One click after the page has stood still allows.
  await consentTab.waitForFunction(() => document.getElementById('allow').hasAttribute('data-ready'), { polling: 100 });
  await consentTab.mouse.click(place.x, place.y);
  await consentTab.waitForFunction(() => document.getElementById('status').textContent.includes('許可されています'),
    { polling: 100 });
  await consentTab.close();
  assert.equal((await printFrom(tab, tab.mainFrame(), 'F')).printed.length, 1);
  await tab.close();
});

test('Firefox: the box takes exactly the OBJECT\'s place: nothing around it moves', async () => {
  const tab = await h.openPage(browser, o.a.url('/layout.html'));
  for (const [, markup] of LAYOUT_CASES) await printButtonOf(tab.mainFrame(), /id="(L\d)"/.exec(markup)[1]);
  await h.sleep(2000);  // the buttons have come
  const { before: was, now, boxes } = await layoutNow(tab);
  assert.deepEqual(now, was.places);
  assert.deepEqual(boxes, was.objects);
  await tab.close();
});
