// A print server that is configured but gone, in Chromium and Firefox with the real host:
// a page's print is refused as `vant print` refuses it, the message reaches the page in the
// outcome, and nothing is written into the download folder unless the page's own list chose
// "Vant3 PDF".
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness.js');

const printed = (id, first) => h.page(h.control([...first, ['method2', 'scalemode,mm'],
  ['method3', `prntext,10,10,${id},ＭＳ ゴシック,12,false,false,0`], ['method4', 'enddoc']],
  `id="${id}" width="400" height="60"`));
const pages = {
  // The list prints on the current printer: the server's default, which is gone.
  '/default.html': { body: printed('Default', [['method1', 'papersize,a4']]) },
  // The list chooses the PDF printer itself.
  '/chosen.html': { body: printed('Chosen', [['method1', 'changeprinter,Vant3 PDF']]) },
};

// The server's sentence and the refusal, as the host and `vant print` say them.
function assertRefused(outcome) {
  assert.equal(outcome.stopped, true);
  assert.deepEqual(outcome.printed, []);
  assert.match(outcome.messages[0].text, /^印刷サーバー「~\/gone\.sock」からプリンターの一覧を取得できません \(ソケットがありません\)。印刷しませんでした/);
}

function goneServerEnv(home) {
  return { CUPS_SERVER: path.join(home.home, 'gone.sock') };
}

test('Chromium: a gone print server refuses the print and says so; a page that chose Vant3 PDF still writes it', async (t) => {
  const home = h.makeHome(t);
  const site = await h.serve(t, pages);
  const browser = await h.launchChromium(t, home, { env: goneServerEnv(home) });
  await h.allowOriginByUser(browser, site.origin);
  const printFrom = async (route) => {
    const tab = await h.openPage(browser, site.url(route));
    const buttons = await h.waitForButtons(tab, (b) => b.some((x) => x.role === 'print'));
    await h.click(tab, buttons.find((b) => b.role === 'print'));
    const [{ outcome }] = await h.outcomes(tab.mainFrame(), 1);
    await tab.close();
    return outcome;
  };
  assertRefused(await printFrom('/default.html'));
  assert.deepEqual(fs.readdirSync(home.downloads), []);
  const chosen = await printFrom('/chosen.html');
  assert.deepEqual(chosen.messages, []);
  assert.match(h.paperOf(h.downloaded(home, chosen.printed[0])).text, /Chosen/);
  assert.deepEqual(fs.readdirSync(home.downloads), ['chosen.pdf']);
  // What `vant print` says of the same page there.
  fs.writeFileSync(path.join(home.home, 'default.html'), pages['/default.html'].body);
  assert.throws(() => h.vant(['print', path.join(home.home, 'default.html')], { env: goneServerEnv(home) }),
    (e) => e.status === 1 && /からプリンターの一覧を取得できません \(ソケットがありません\)。印刷しませんでした/.test(e.stderr));
});

test('Firefox: a gone print server refuses the print and says so; a page that chose Vant3 PDF still writes it', async (t) => {
  const home = h.makeHome(t);
  const site = await h.serve(t, pages);
  const browser = await h.launchFirefox(t, home, { policy: { allowedOrigins: [site.origin] }, env: goneServerEnv(home) });
  // The buttons are out of the page's sight (a closed shadow root): the user clicks where
  // the print button stands until the click is answered.
  const printFrom = async (route, id) => {
    const tab = await h.openPage(browser, site.url(route));
    await tab.waitForFunction((i) => document.getElementById(i).previousElementSibling?.localName === 'span',
      { timeout: 30000 }, id);
    const box = await tab.evaluate((i) => {
      const r = document.getElementById(i).previousElementSibling.getBoundingClientRect();
      return { x: r.x, y: r.y };
    }, id);
    for (let attempt = 0; attempt < 20; attempt += 1) {
      await tab.mouse.click(box.x + 20, box.y + 20);
      if (await tab.evaluate(() => new Promise((resolve) => {
        setTimeout(() => resolve(window.vant3Outcomes.length > 0), 3000);
      }))) break;
    }
    const [{ outcome }] = await h.outcomes(tab.mainFrame(), 1);
    await tab.close();
    return outcome;
  };
  assertRefused(await printFrom('/default.html', 'Default'));
  assert.deepEqual(fs.readdirSync(home.downloads), []);
  const chosen = await printFrom('/chosen.html', 'Chosen');
  assert.deepEqual(chosen.messages, []);
  assert.match(h.paperOf(h.downloaded(home, chosen.printed[0])).text, /Chosen/);
  assert.deepEqual(fs.readdirSync(home.downloads), ['chosen.pdf']);
});
