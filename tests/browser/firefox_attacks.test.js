// Firefox against the second round of attacks, with the real host (the pages and the steps of
// chromium_attacks). The box's content lives in a closed shadow root that WebDriver BiDi
// cannot read: the tests click where the buttons stand (the print button at 8, 8 in the box,
// the consent action at 0, 0) and read what printed.
'use strict';
const { test, before } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness.js');
const { printedFiles, waitForPrinted } = require('./hostile-pages.js');
const { serveAttackOrigins, addRogueContentScript, typeKeys, TYPING, TYPING_ON_BUTTON } = require('./attack-pages.js');

const suite = h.sharedSuite();
let home;
let browser;
let o;

// Every target the browser made: WebDriver BiDi tells the extension's pages only so, and
// without their URL (the tests open no other tab while they look for the consent page).
const created = [];

before(async () => {
  h.requirePrivateServer();
  home = h.makeHome(suite);
  o = await serveAttackOrigins(suite);
  browser = await h.launchFirefox(suite, home, { policy: { allowedOrigins: [o.a.origin] }, adjust: addRogueContentScript });
  browser.on('targetcreated', (target) => created.push(target));
});

// The box of the OBJECT id in the tab's top document, once it is there.
const boxOf = (tab, id) => tab.waitForFunction((objectId) => {
  const object = document.getElementById(objectId);
  const host = object && object.previousElementSibling;
  if (!host || host.localName !== 'span') return null;
  const r = host.getBoundingClientRect();
  return { x: r.x, y: r.y, width: r.width, height: r.height };
}, { timeout: 30000, polling: 100 }, id).then((handle) => handle.jsonValue());

// Clicks where the print button stands until the page gets an outcome.
async function printFrom(tab, id) {
  await h.recordOutcomesIn(tab.mainFrame());
  const box = await boxOf(tab, id);
  const count = await tab.evaluate(() => window.vant3Outcomes.length);
  for (let attempt = 0; attempt < 20; attempt += 1) {
    await tab.mouse.click(box.x + 8 + 60, box.y + 8 + 16);
    const deadline = Date.now() + 1500;
    while (Date.now() < deadline) {
      const all = await tab.evaluate(() => window.vant3Outcomes);
      if (all.length > count) return all[count].outcome;
      await h.sleep(100);
    }
  }
  throw new Error(`no outcome in ${tab.url()}`);
}

// Clicks the consent action of the OBJECT id until the consent page opens; returns it.
async function openConsent(tab, id) {
  const box = await boxOf(tab, id);
  await h.sleep(1500);
  for (let attempt = 0; attempt < 8; attempt += 1) {
    const before = created.length;
    await tab.mouse.click(box.x + 20, box.y + 10);
    const deadline = Date.now() + 3000;
    while (Date.now() < deadline) {
      if (created.length > before) return created.at(-1).page();
      await h.sleep(100);
    }
  }
  throw new Error('the consent page never opened');
}

async function allowDeliberately(consent) {
  await consent.waitForFunction(() => document.getElementById('allow').hasAttribute('data-ready') &&
    !document.getElementById('allow').hidden, { polling: 100 });
  await consent.click('#allow');
  await consent.waitForFunction(() => document.getElementById('status').textContent.includes('許可されています'),
    { polling: 100 });
}

async function tabTo(page, isFocused) {
  for (let i = 0; i < 30; i += 1) {
    if (await page.evaluate(isFocused)) return;
    await page.keyboard.press('Tab');
  }
  throw new Error('the keyboard never reached the element');
}

test('Firefox: typing at 150 ms a key over a 1 px box and the consent page gives no consent; a keyboard user who pauses does', async () => {
  const tab = await h.openPage(browser, o.c.url('/typing.html'));
  await boxOf(tab, 'T');
  await h.sleep(1500);
  await tab.bringToFront();
  await tab.click('#name');
  let consentTab = null;
  const before = created.length;
  await typeKeys(TYPING, 150, async () => {
    if (!consentTab && created.length > before) consentTab = await created.at(-1).page();
    return consentTab || tab;
  });
  await h.sleep(1000);
  assert.deepEqual(printedFiles(home, 'typing'), []);
  if (consentTab) assert.equal(await consentTab.evaluate(() => document.getElementById('status').textContent), '');

  const ask = await h.openPage(browser, o.c.url('/ask-k.html'));
  const consent = await openConsent(ask, 'F');
  await consent.waitForFunction(() => !document.getElementById('allow').hidden, { polling: 100 });
  await typeKeys(TYPING_ON_BUTTON, 150, () => consent);
  await h.sleep(300);
  assert.equal(await consent.evaluate(() => document.getElementById('status').textContent), '');
  await tabTo(consent, () => document.activeElement && document.activeElement.id === 'allow');
  await h.sleep(800);
  await consent.keyboard.press(' ');
  await consent.waitForFunction(() => document.getElementById('status').textContent.includes('許可されています'),
    { polling: 100 });
  assert.deepEqual(await waitForPrinted(home, 'typing', 1), ['typing.pdf']);
  await consent.close();
  await ask.close();
  await tab.close();
});

test('Firefox: typing into a popup a page nobody allowed opens presses nothing; a keyboard user who pauses prints', async () => {
  const tab = await h.openPage(browser, o.b.url('/popup-typing.html'));
  await tab.bringToFront();
  await tab.click('#field');
  let popup = null;
  await typeKeys(TYPING, 150, async () => {
    const target = created.find((x) => x.url().includes('/kpopup.html'));
    if (!popup && target) popup = await target.page();
    return popup || tab;
  });
  await h.sleep(1000);
  assert.ok(popup, 'the popup opened');
  assert.deepEqual(printedFiles(home, 'kpopup'), []);
  await popup.close();
  await tab.close();

  const form = await h.openPage(browser, o.a.url('/kform.html'));
  await boxOf(form, 'F');
  await h.sleep(1500);
  await form.bringToFront();
  await form.click('#first');
  await h.sleep(800);
  await form.keyboard.press('Tab');
  await h.sleep(800);
  await form.keyboard.press(' ');
  assert.equal((await h.outcomes(form.mainFrame(), 1))[0].outcome.printed.length, 1);
  await h.sleep(800);
  await form.keyboard.press('Enter');
  assert.equal((await h.outcomes(form.mainFrame(), 2))[1].outcome.printed.length, 1);
  await h.sleep(800);
  await form.keyboard.press('a');
  await h.sleep(150);
  await form.keyboard.press(' ');
  await h.sleep(1500);
  assert.equal(await form.evaluate(() => window.vant3Outcomes.length), 2);
  assert.equal(printedFiles(home, 'kform').length, 2);
  await form.close();
});

test('Firefox: a box smaller than its buttons, clipped by the page or covered prints nothing on the user\'s click', async () => {
  for (const stem of ['tiny', 'clipped', 'covered-k']) {
    const tab = await h.openPage(browser, o.a.url(`/${stem}.html`));
    const box = await boxOf(tab, 'F');
    await h.sleep(2500);
    const x = stem === 'covered-k' ? box.x + 8 + 60 : box.x + Math.min(box.width, 60) / 2;
    const y = stem === 'covered-k' ? box.y + 8 + 16 : box.y + Math.min(box.height, 20) / 2;
    for (let i = 0; i < 3; i += 1) {
      await tab.mouse.click(x, y);
      await h.sleep(700);
    }
    assert.deepEqual(printedFiles(home, stem), [], stem);
    await tab.close();
  }
});

test('Firefox: a page nobody allowed going back in the tab\'s history runs no Mode 1 list; a restored page shows its consent as it is now', async () => {
  for (const [stem, site] of [['hist-mode1', o.d], ['hist-bf', o.f]]) {
    const tab = await h.openPage(browser, site.url(`/${stem}.html`));
    await boxOf(tab, 'M');
    await tab.goto(site.url('/hist-form.html'), { waitUntil: 'load' });
    const consent = await openConsent(tab, 'F');
    await allowDeliberately(consent);
    await consent.close();
    await tab.goto(o.b.url('/back2.html'), { waitUntil: 'load' });
    await tab.waitForFunction((s) => location.pathname === `/${s}.html`, { polling: 100 }, stem);
    await h.sleep(3000);
    assert.deepEqual(printedFiles(home, stem), [], stem);
    // Allowed now: the print button, not the old offer.
    assert.equal((await printFrom(tab, 'M')).printed.length, 1, stem);
    await tab.close();
  }
});

test('Firefox: the content script\'s world writing the extension\'s storage allows nothing', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.e.url('/rogue-mode1.html'));
    await tab.waitForFunction(() => document.documentElement.dataset.rogue !== undefined, { polling: 100 });
    await h.sleep(3000);
  });
  assert.equal(hosts, 0);
  assert.deepEqual(printedFiles(home, 'rogue-mode1'), []);
  await tab.close();
});

test('Firefox: an allowed page adding a frame with a Mode 1 list every 5.3 s prints once', async () => {
  const tab = await h.openPage(browser, o.a.url('/loop.html'));
  await tab.waitForFunction(() => window.framesAdded() === 4, { timeout: 30000, polling: 200 });
  await h.sleep(3000);
  assert.equal(printedFiles(home, 'loop-frame').length, 1);
  await tab.close();
});
