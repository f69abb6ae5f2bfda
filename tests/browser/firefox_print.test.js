// Firefox ESR with the extension as a temporary add-on and the real host: the print round
// trip from an http:// page whose origin the administrator allowed.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness.js');

const form = h.page(h.control([['CmdProperty', '発行,150'], ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'scalemode,mm'],
  ['method3', 'prntext,10,10,FROM FIREFOX 漢字,ＭＳ 明朝,12,false,false,0'], ['method4', 'enddoc']], 'id="FF" width="400" height="60"'));

test('Firefox: an allowed http:// page prints to Vant3 PDF as `vant pdf` does; another origin only asks', async (t) => {
  const home = h.makeHome(t);
  const site = await h.serve(t, { '/form.html': { body: form } });
  const other = await h.serve(t, { '/form.html': { body: form } });
  const browser = await h.launchFirefox(t, home, { policy: { allowedOrigins: [site.origin] } });
  const boxOf = (tab) => tab.evaluate(() => {
    const box = document.getElementById('FF').previousElementSibling;
    if (!box || box.localName !== 'span') return null;
    const r = box.getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height };
  });

  // Not allowed: the box offers the consent action and no host starts.
  const asking = await h.openPage(browser, other.url('/form.html'));
  await asking.waitForFunction(() => document.getElementById('FF').previousElementSibling?.localName === 'span',
    { timeout: 30000 });

  const tab = await h.openPage(browser, site.url('/form.html'));
  // The box before the OBJECT takes its size; the host lays the print button out at its
  // top-left part.
  await tab.waitForFunction(() => document.getElementById('FF').previousElementSibling?.localName === 'span',
    { timeout: 30000 });
  const box = await boxOf(tab);
  assert.deepEqual([box.width, box.height], [400, 60]);
  // The buttons come with the host's answer, out of the page's sight (a closed shadow
  // root): the user clicks where the print button stands until the click prints.
  for (let attempt = 0; attempt < 20; attempt += 1) {
    await tab.mouse.click(box.x + 20, box.y + 20);
    if (await tab.evaluate(() => new Promise((resolve) => {
      setTimeout(() => resolve(window.vant3Outcomes.length > 0), 3000);
    }))) break;
  }
  const [{ target, outcome }] = await h.outcomes(tab.mainFrame(), 1);
  assert.equal(target, 'FF');
  assert.deepEqual(outcome.printed.map((p) => [p.printer, p.file, p.folder]), [['Vant3 PDF', 'form.pdf', 'downloads']]);
  const page = path.join(home.home, 'form.html');
  fs.writeFileSync(page, form);
  const reference = path.join(home.home, 'reference.pdf');
  h.vant(['pdf', page, '-o', reference]);
  assert.deepEqual(h.paperOf(h.downloaded(home, outcome.printed[0])), h.paperOf(reference));
  assert.equal(home.hostStarts(), 1, 'one host, for the allowed page only');
});
