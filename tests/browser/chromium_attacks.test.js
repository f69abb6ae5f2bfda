// Chromium against the second round of attacks, with the real host: typing never gives
// consent nor presses a button (the keyboard user who pauses does); a box smaller than its
// buttons or clipped counts as not visible; a move back in the tab's history runs no Mode 1
// list and a restored page shows its origin's consent as it is now; the content script's world
// cannot allow its page; an allowed page adding frames does not print again and again.
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

const byRole = (buttons, role) => buttons.filter((b) => b.role === role);
const consentPages = () => browser.targets().filter((x) => x.url().includes('/consent.html'));

before(async () => {
  h.requirePrivateServer();
  home = h.makeHome(suite);
  o = await serveAttackOrigins(suite);
  browser = await h.launchChromium(suite, home, { policy: { allowedOrigins: [o.a.origin] },
    extensionDir: h.chromiumExtensionCopy(home, addRogueContentScript) });
  const tab = await h.openPage(browser, o.a.url('/kform.html'));
  await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1, 60000);
  await tab.close();
});

// Presses Tab until the element the page's expression names has the focus (through the
// browser's own controls, which take the focus in turn).
async function tabTo(page, isFocused) {
  for (let i = 0; i < 30; i += 1) {
    if (await page.evaluate(isFocused)) return;
    await page.keyboard.press('Tab');
  }
  throw new Error('the keyboard never reached the element');
}

test('typing at 150 ms a key over a 1 px box and the consent page gives no consent; a keyboard user who pauses does', async () => {
  const tab = await h.openPage(browser, o.c.url('/typing.html'));
  await h.waitForButtons(tab, (b) => byRole(b, 'consent').length === 1);
  await h.sleep(1500);
  await tab.bringToFront();
  await tab.click('#name');
  let consentTab = null;
  await typeKeys(TYPING, 150, async () => {
    if (!consentTab && consentPages().length > 0) consentTab = await consentPages()[0].page();
    return consentTab || tab;
  });
  await h.sleep(1000);
  assert.deepEqual(printedFiles(home, 'typing'), []);
  assert.equal(byRole(await h.controlButtons(tab), 'consent').length, 1, 'still asking');
  assert.equal(byRole(await h.controlButtons(tab), 'consent')[0].ready, false, 'a 1 px box is not seen');
  if (consentTab) assert.equal(await consentTab.$eval('#status', (e) => e.textContent), '');

  // The consent page itself, opened by a deliberate click: typing there allows nothing.
  const ask = await h.openPage(browser, o.c.url('/ask-k.html'));
  const [offer] = await h.waitForButtons(ask, (b) => byRole(b, 'consent').length === 1);
  const opened = browser.waitForTarget((x) => x.url().includes('/consent.html?origin='));
  await h.click(ask, offer);
  const consent = await (await opened).page();
  await consent.bringToFront();
  await consent.waitForSelector('#allow:not([hidden])');
  await typeKeys(TYPING_ON_BUTTON, 150, () => consent);
  await h.sleep(300);
  assert.equal(await consent.$eval('#status', (e) => e.textContent), '');
  // Tab to the button, pause, Space: allowed, and the typing page's Mode 1 list prints now.
  await tabTo(consent, () => document.activeElement && document.activeElement.id === 'allow');
  await h.sleep(800);
  await consent.keyboard.press(' ');
  await consent.waitForFunction(() => document.getElementById('status').textContent.includes('許可されています'));
  assert.deepEqual(await waitForPrinted(home, 'typing', 1), ['typing.pdf']);
  await Promise.all([consent.close(), ask.close(), tab.close()]);
});

test('typing into a popup a page nobody allowed opens presses nothing; a keyboard user who pauses prints', async () => {
  const tab = await h.openPage(browser, o.b.url('/popup-typing.html'));
  await tab.bringToFront();
  await tab.click('#field');
  let popup = null;
  await typeKeys(TYPING, 150, async () => {
    const target = browser.targets().find((x) => x.url().includes('/kpopup.html'));
    if (!popup && target) popup = await target.page();
    return popup || tab;
  });
  await h.sleep(1000);
  assert.ok(popup, 'the popup opened');
  assert.deepEqual(printedFiles(home, 'kpopup'), []);
  await popup.close();
  await tab.close();

  // The allowed form: Tab to the print button, pause, Space (and again, Enter) prints; a key
  // typed just before the press does not.
  const form = await h.openPage(browser, o.a.url('/kform.html'));
  await h.waitForButtons(form, (b) => byRole(b, 'print').length === 1);
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

test('a box smaller than its buttons, clipped by the page or covered prints nothing on the user\'s click', async () => {
  for (const stem of ['tiny', 'clipped', 'covered-k']) {
    const tab = await h.openPage(browser, o.a.url(`/${stem}.html`));
    const [button] = await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1);
    await h.sleep(1500);
    assert.equal(byRole(await h.controlButtons(tab), 'print')[0].ready, false, stem);
    const box = await tab.evaluate(() => {
      const r = document.querySelector('[data-vant3-box]').getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height };
    });
    // Where the box shows (the 1 px one, the clipped part), else where the button stands.
    const x = stem === 'covered-k' ? button.x + 10 : box.x + Math.min(box.width, 60) / 2;
    const y = stem === 'covered-k' ? button.y + 10 : box.y + Math.min(box.height, 20) / 2;
    for (let i = 0; i < 3; i += 1) {
      await tab.mouse.click(x, y);
      await h.sleep(600);
    }
    assert.deepEqual(printedFiles(home, stem), [], stem);
    await tab.close();
  }
});

test('a page nobody allowed going back in the tab\'s history runs no Mode 1 list; a restored page shows its consent as it is now', async () => {
  for (const [stem, site] of [['hist-mode1', o.d], ['hist-bf', o.f]]) {
    const tab = await h.openPage(browser, site.url(`/${stem}.html`));
    await h.waitForButtons(tab, (b) => byRole(b, 'consent').length === 1);
    await tab.goto(site.url('/hist-form.html'), { waitUntil: 'load' });
    await h.allowOriginByUser(browser, site.origin);
    await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1);
    await tab.goto(o.b.url('/back2.html'), { waitUntil: 'load' });
    await tab.waitForFunction((s) => location.pathname === `/${s}.html`, { polling: 100 }, stem);
    // Allowed now: the buttons, not the old offer; and no print by itself.
    await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 1 && byRole(b, 'consent').length === 0);
    await h.sleep(3000);
    assert.deepEqual(printedFiles(home, stem), [], stem);
    await tab.close();
  }
});

test('the content script\'s world writing the extension\'s storage allows nothing', async () => {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.e.url('/rogue-mode1.html'));
    await tab.waitForFunction(() => document.documentElement.dataset.rogue !== undefined, { polling: 100 });
    await h.sleep(3000);
  });
  assert.deepEqual(printedFiles(home, 'rogue-mode1'), []);
  assert.equal(hosts, 0);
  assert.equal(await tab.evaluate(() => document.documentElement.dataset.rogue), 'refused,refused');
  assert.equal(byRole(await h.controlButtons(tab), 'consent').length, 1, 'still asking');
  await tab.close();
});

test('an allowed page adding a frame with a Mode 1 list every 5.3 s prints once', async () => {
  const tab = await h.openPage(browser, o.a.url('/loop.html'));
  await tab.waitForFunction(() => window.framesAdded() === 4, { timeout: 30000, polling: 200 });
  await h.waitForButtons(tab, (b) => byRole(b, 'print').length === 4);
  await h.sleep(2000);
  assert.equal(printedFiles(home, 'loop-frame').length, 1);
  await tab.close();
});
