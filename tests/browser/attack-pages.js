// The second round of attacks, served from loopback origins: A allowed by the policy, B nobody
// allowed, C, D and F nobody allowed yet (the user allows them in the tests), E nobody allowed, where
// a script in the content script's world writes the extension's storage (what a compromised
// renderer gets). What the browser suites of Chromium and Firefox share; every count of prints
// is a count of PDF files in the download folder, named after the page that printed.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness.js');
const { mode1, form } = require('./hostile-pages.js');

// What allowed site A's invoice holds that another allowed site must never read.
const INVOICE_SECRET = '山田商事株式会社 03-1234-5678';

// A form whose control is a 1 x 1 px box between the fields of a page.
const tinyBox = (object) => object.replace(/width="300" height="60"/, 'width="1" height="1"');

async function serveAttackOrigins(t) {
  const routes = {};
  const [a, b, c, d, e, f] = [await h.serve(t, routes), await h.serve(t, routes), await h.serve(t, routes),
    await h.serve(t, routes), await h.serve(t, routes), await h.serve(t, routes)];
  const add = (p, body) => { routes[p] = { body }; };
  // Typing: a page nobody allowed lays its control box, 1 x 1 px, between two fields.
  add('/typing.html', h.page(`<input id="name"> ${tinyBox(mode1('T'))} <input id="second"> <input id="company">`));
  add('/ask-k.html', h.page(form('ASKED')));
  // The allowed site's form, printed from the keyboard.
  add('/kform.html', h.page(`<input id="first"><br>${form('KEYBOARD')}`));
  // At the user's first space, a page nobody allowed opens the allowed form in a popup.
  add('/kpopup.html', h.page(form('POPUP-TYPED')));
  add('/popup-typing.html', h.page(`<input id="field">
<script>
let opened = false;
document.addEventListener('keydown', (event) => {
  if (event.key === ' ' && !opened) {
    opened = true;
    window.open('${a.origin}/kpopup.html', 'typed', 'width=500,height=300');
  }
});
</script>`));
  // Boxes the user cannot see whole: 1 x 1 px, clipped by the page, covered.
  add('/tiny.html', h.page(`text ${tinyBox(form('TINY'))} text`));
  add('/clipped.html', h.page(`<div style="width:60px;height:20px;overflow:hidden">${form('CLIPPED')}</div>`));
  add('/covered-k.html', h.page(`${form('COVERED')}
<div style="position:absolute;left:0;top:0;width:400px;height:120px;background:#fff;pointer-events:none">お知らせ</div>`));
  // History: an allowed-later Mode 1 page that cannot stay in the back/forward cache (an
  // unload handler, as old business pages have), one that can, the site's form, and a page
  // nobody allowed that goes two steps back.
  add('/hist-mode1.html', h.page(`${mode1()}<script>addEventListener('unload', () => {});</script>`));
  add('/hist-bf.html', h.page(mode1()));
  add('/hist-form.html', h.page(form('HISTORY')));
  add('/back2.html', h.page('<p>back</p><script>setTimeout(() => history.go(-2), 300);</script>'));
  // A page nobody allowed whose content script world writes the extension's storage.
  add('/rogue-mode1.html', h.page(mode1()));
  // An allowed page that adds a frame with a Mode 1 list every 5.3 s.
  // Frame n's list is 4 n methods long, its last four printing: each goes on where the one
  // before it stopped, as a list read again does.
  add('/loop-frame.html', h.page(`<script>
const n = Number(location.search.slice(1));
const methods = [...Array.from({ length: 4 * (n - 1) }, () => 'scalemode,mm'), 'changeprinter,Vant3 PDF', 'scalemode,mm',
  'prntext,10,10,LOOP ' + n + ',ＭＳ ゴシック,12,false,false,0', 'enddoc'];
document.write('<object id="M" width="300" height="60"><param name="Mode" value="1">' +
  methods.map((m, i) => '<param name="method' + (i + 1) + '" value="' + m + '">').join('') + '</object>');
</script>`));
  add('/loop.html', h.page(`<p>loop</p><script>
let n = 0;
const add = () => {
  const f = document.createElement('iframe');
  f.src = '/loop-frame.html?' + (++n);
  document.body.append(f);
  if (n < 4) setTimeout(add, 5300);
};
add();
window.framesAdded = () => n;
</script>`));
  // An allowed page's request of 0.6 MB: one 200,000-character caption that the 1023 OBJECTs
  // after it, without a caption of their own, inherit. (The first one's Mode 1 list stops at
  // once: its outcome tells the page that the host has answered.)
  add('/captions.html', h.page(`${h.control([['CmdProperty', `${'長'.repeat(200000)},120`], ['Mode', '1'],
    ['method1', 'x']], 'id="C0" width="240" height="40"')}
<script>
for (let i = 1; i < 1024; i += 1) {
  const object = document.createElement('object');
  object.id = 'C' + i;
  object.width = '240';
  object.height = '40';
  object.innerHTML = '<param name="method1" value="newpage">';
  document.body.append(object);
}
</script>`));
  // Two allowed origins in one tab (the tab state tests' policy allows F too): page B of F
  // frames A's invoice, then adds a Mode 1 OBJECT whose only line is "x".
  add('/invoice.html', h.page(h.control([['CmdProperty', '発行,120'],
    ['method1', `prntext,20,10,御請求書 ${INVOICE_SECRET},ＭＳ ゴシック,12,false,false,0`], ['method2', 'enddoc']],
  'id="Invoice" width="300" height="60"')));
  add('/framing-b.html', h.page(`<iframe id="invoice" src="${a.origin}/invoice.html" style="width:400px;height:100px"></iframe>
<div id="later"></div>
<script>
window.addModeOne = () => {
  document.getElementById('later').innerHTML = '<object id="B" width="300" height="60">' +
    '<param name="Mode" value="1"><param name="method1" value="x"></object>';
};
</script>`));
  return { a, b, c, d, e, f };
}

// What a compromised renderer of a page nobody allowed gets: code in the content script's
// world, here a content script of the extension's own copy on /rogue… pages, that writes its
// origin into the user's list under the key used before and the key used now, and says on
// the page whether the browser let it ("written" or "refused").
const ROGUE = `(async () => {
  const api = typeof browser !== 'undefined' ? browser : chrome;
  const results = [];
  for (const key of ['allowedOrigins', 'userOrigins']) {
    try {
      await api.storage.local.set({ [key]: [location.origin] });
      results.push('written');
    } catch {
      results.push('refused');
    }
  }
  document.documentElement.dataset.rogue = results.join(',');
})();
`;
function addRogueContentScript(dir) {
  fs.writeFileSync(path.join(dir, 'rogue.js'), ROGUE);
  const file = path.join(dir, 'manifest.json');
  const manifest = JSON.parse(fs.readFileSync(file, 'utf8'));
  manifest.content_scripts.push({ matches: ['http://127.0.0.1/rogue*'], run_at: 'document_start', js: ['rogue.js'] });
  fs.writeFileSync(file, JSON.stringify(manifest));
}

// Presses keys as a user types, one every interval ms, each into the page pageNow() gives
// (the page the typing has reached).
async function typeKeys(keys, interval, pageNow) {
  for (const key of keys) {
    const page = await pageNow();
    await page.keyboard.press(key);
    await h.sleep(interval);
  }
}

// "Taro", Tab, "Yamada Sales", Tab, "Tokyo Office", then Tabs and spaces, as a form's user types them.
const TYPING = [...'Taro', 'Tab', ...'Yamada Sales', 'Tab', ...'Tokyo Office',
  ...Array.from({ length: 8 }, () => ['Tab', ' ', 'a']).flat()];

// Typing that goes on on a page whose first Tab reaches a button: spaces and letters on it.
const TYPING_ON_BUTTON = [...'Sales', 'Tab', ...Array.from({ length: 12 }, () => [' ', 'a']).flat()];

module.exports = { serveAttackOrigins, addRogueContentScript, typeKeys, TYPING, TYPING_ON_BUTTON, INVOICE_SECRET };
