// Pages a hostile site would use against an allowed one, the allowed site's own pages, and the
// layouts the control's box must keep, served from loopback origins: A and A2 allowed, B
// nobody allowed, C nobody allowed yet (the user may allow it). What the browser suites of
// Chromium and Firefox share; every count of prints is a count of PDF files in the home's
// download folder, named after the page that printed.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness.js');

// A Mode 1 list that prints to the PDF printer when shown; the file is named after the page.
const mode1 = (id = 'M') => h.control([['Mode', '1'], ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'scalemode,mm'],
  ['method3', 'prntext,10,10,AUTOMATIC,ＭＳ ゴシック,12,false,false,0'], ['method4', 'enddoc']], `id="${id}" width="300" height="60"`);
// A form the user prints with the button at 8, 8 (120 x 33).
const form = (text = 'FORM', id = 'F') => h.control([['CmdProperty', '発行,120'], ['method1', 'changeprinter,Vant3 PDF'],
  ['method2', 'scalemode,mm'], ['method3', `prntext,10,10,${text},ＭＳ ゴシック,12,false,false,0`], ['method4', 'enddoc']],
`id="${id}" width="300" height="60"`);

const frames = (src, count, style = 'width:60px;height:40px') =>
  Array.from({ length: count }, (_, i) => `<iframe src="${src}?${i}" style="${style}"></iframe>`).join('');

// The layouts the box must keep: each OBJECT between markers whose places are taken by the
// page's own script before the extension acts.
const LAYOUT_CASES = [
  ['inline with size', `text <object id="L1" width="300" height="40">PARAMS</object> after <span id="after-L1">x</span>`],
  ['inline without size', `text <object id="L2">PARAMS</object> after <span id="after-L2">x</span>`],
  ['block with size', `<object id="L3" style="display:block" width="200" height="30">PARAMS</object><span id="after-L3">x</span>`],
  ['block without size', `<object id="L4" style="display:block;margin:6px 20px">PARAMS</object><span id="after-L4">x</span>`],
  ['in a table', `<table><tr><td id="cell-L5"><object id="L5" width="150" height="36">PARAMS</object></td>` +
    `<td><span id="after-L5">x</span></td></tr></table>`],
  ['a percentage wide', `<div style="width:500px"><object id="L6" width="50%" height="44">PARAMS</object>` +
    `<span id="after-L6">x</span></div>`],
];
const LAYOUT_PARAMS = '<param name="CmdProperty" value="発行,100"><param name="method1" value="newpage">';

function layoutPage() {
  const body = LAYOUT_CASES.map(([, markup]) => `<div>${markup.replace('PARAMS', LAYOUT_PARAMS)}</div>`).join('\n');
  return h.page(`<p id="top">layout</p>\n${body}\n<p id="bottom">end</p>
<script>
// The places before the extension acts: this runs while the page is parsed, before content
// scripts that run when the document is idle.
window.places = () => {
  const out = {};
  for (const e of document.querySelectorAll('[id]')) {
    if (e.localName === 'object') continue;
    const r = e.getBoundingClientRect();
    out[e.id] = [r.x, r.y, r.width, r.height].map((n) => Math.round(n * 10) / 10).join(',');
  }
  return out;
};
window.objectBoxes = () => Object.fromEntries([...document.querySelectorAll('object')].map((o) => {
  const r = o.getBoundingClientRect();
  return [o.id, [r.x, r.y, r.width, r.height].map((n) => Math.round(n * 10) / 10).join(',')];
}));
window.before = { places: window.places(), objects: window.objectBoxes() };
</script>`);
}

// Serves every route from four origins; returns them once their routes are in place.
async function serveOrigins(t) {
  const routes = {};
  const [a, a2, b, c] = [await h.serve(t, routes), await h.serve(t, routes), await h.serve(t, routes), await h.serve(t, routes)];
  const add = (path, body, headers) => { routes[path] = { body, headers }; };
  add('/mode1.html', h.page(mode1()));
  add('/form.html', h.page(form()));
  for (const stem of ['mode1-f', 'mode1-r', 'mode1-p', 'mode1-pa', 'mode1-s']) add(`/${stem}.html`, h.page(mode1()));
  add('/self-reload.html', h.page(`${mode1()}
<script>
// A page that reloads itself every 500 ms, ten times.
const n = Number(new URLSearchParams(location.search).get('n') || 0);
if (n < 10) setTimeout(() => location.replace('?n=' + (n + 1)), 500);
window.reloads = n;
</script>`));
  add('/frames100.html', h.page(`<p>many frames</p>${frames(`${a.origin}/mode1-f.html`, 100, 'width:40px;height:20px')}`));
  add('/frames48.html', h.page(`<p>48 frames</p>${frames(`${a.origin}/form-48.html`, 48, 'width:320px;height:80px')}`));
  add('/frames48-b.html', h.page(`<p>48 frames of another site</p>${frames(`${a.origin}/form-48.html`, 48)}`));
  add('/form-48.html', h.page(form('FORTY-EIGHT')));
  add('/reload-frame.html', h.page(`<iframe id="f" src="${a.origin}/mode1-r.html"></iframe>
<script>
// Reloads the allowed page in its frame every 500 ms.
let n = 0;
const timer = setInterval(() => {
  document.getElementById('f').src = '${a.origin}/mode1-r.html?' + (++n);
  if (n >= 20) clearInterval(timer);
}, 500);
</script>`));
  add('/opener.html', h.page(`<button id="go" style="position:absolute;left:10px;top:10px;width:200px;height:40px">開く</button>
<script>
// One click opens the allowed page as a popup, then navigates it again and again.
document.getElementById('go').addEventListener('click', () => {
  const popup = window.open('${a.origin}/mode1-p.html', 'popup', 'width=500,height=300');
  let n = 0;
  const timer = setInterval(() => {
    popup.location = '${a.origin}/mode1-p.html?' + (++n);
    if (n >= 6) clearInterval(timer);
  }, 700);
});
</script>`));
  // The allowed site's own print window: opened by its page, it prints its Mode 1 list.
  add('/opener-a.html', h.page(`<button id="go" style="position:absolute;left:10px;top:10px;width:200px;height:40px">印刷</button>
<script>
document.getElementById('go').addEventListener('click', () => window.open('/mode1-pa.html', 'print', 'width=500,height=300'));
</script>`));
  // Clickjacking: the allowed form, transparent, over a button of the hostile page.
  const overlaid = (src) => h.page(`<button id="prize" style="position:absolute;left:40px;top:40px;width:200px;height:60px">当選! ここをクリック</button>
<iframe src="${src}" style="position:absolute;left:0;top:0;width:400px;height:120px;border:0;opacity:0.01"></iframe>`);
  add('/prize.html', overlaid(`${a.origin}/form-c.html`));
  add('/form-c.html', h.page(form('CLICKJACKED')));
  add('/transparent.html', overlaid(`${a.origin}/form-t.html`));
  add('/form-t.html', h.page(form('TRANSPARENT')));
  add('/covered.html', h.page(`${form('COVERED')}
<div style="position:absolute;left:0;top:0;width:400px;height:120px;background:#fff;pointer-events:none">お知らせ</div>`));
  add('/moving.html', h.page(`<div id="spacer" style="height:300px"></div>${form('MOVED')}
<script>
// Moves the form up under the pointer, as a page would just before a click it expects.
window.moveUp = () => { document.getElementById('spacer').style.height = '0px'; };
</script>`));
  add('/sandboxed.html', h.page(mode1()), { 'content-security-policy': 'sandbox allow-scripts' });
  add('/sandbox-frame.html', h.page(`<iframe sandbox="allow-scripts" src="${a.origin}/mode1-s.html"></iframe>`));
  add('/list-one.html', h.page(form('LIST ONE', 'One')));
  add('/list-two.html', h.page(form('LIST TWO', 'Two')));
  add('/list-three.html', h.page(form('LIST THREE', 'Three')));
  // A frame of the same origin comes later, then one of another allowed origin.
  add('/two-frames.html', h.page(`<iframe id="one" src="${a.origin}/list-one.html" style="width:400px;height:100px"></iframe>
<div id="later"></div>
<script>
const addFrame = (src) => {
  const f = document.createElement('iframe');
  f.src = src;
  f.style.cssText = 'width:400px;height:100px';
  document.getElementById('later').append(f);
};
window.addSecond = () => addFrame('${a.origin}/list-two.html');
window.addThird = () => addFrame('${a2.origin}/list-three.html');
</script>`));
  add('/ask.html', h.page(form('ASKED')));
  add('/objects3000.html', h.page(Array.from({ length: 3000 },
    (_, i) => `<object id="o${i}" width="240" height="40"><param name="method1" value="newpage"></object>`).join('\n')));
  add('/layout.html', layoutPage());
  return { a, a2, b, c };
}

// The control boxes of the tab's top document.
const boxCountIn = (tab) => tab.evaluate(() => document.querySelectorAll('[data-vant3-box]').length);

// Opens the page of 3000 OBJECTs of the origin nobody allowed and waits for every box, then
// scrolls to its end: the tab, the hosts started meanwhile and the boxes counted there.
async function openThreeThousandObjects(browser, home, o) {
  let tab;
  const hosts = await home.hostsStartedBy(async () => {
    tab = await h.openPage(browser, o.b.url('/objects3000.html'));
    await tab.waitForFunction(() => document.querySelectorAll('[data-vant3-box]').length === 3000,
      { timeout: 120000, polling: 500 });
    await tab.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
  });
  return { tab, hosts, boxes: await boxCountIn(tab) };
}

// PDF files the pages named stem printed (stem.pdf, stem-2.pdf, …).
function printedFiles(home, stem) {
  return fs.readdirSync(home.downloads).filter((name) => name === `${stem}.pdf` || new RegExp(`^${stem}-\\d+\\.pdf$`).test(name));
}

// The layout page as laid out before the extension acted and now, and each control's box.
function layoutNow(tab) {
  return tab.evaluate(() => ({
    before: window.before,
    now: window.places(),
    boxes: Object.fromEntries([...document.querySelectorAll('object')].map((object) => {
      const r = object.previousElementSibling.getBoundingClientRect();
      return [object.id, [r.x, r.y, r.width, r.height].map((n) => Math.round(n * 10) / 10).join(',')];
    })),
  }));
}

// Waits until the pages named stem have printed count files.
async function waitForPrinted(home, stem, count, timeout = 30000) {
  const deadline = Date.now() + timeout;
  while (printedFiles(home, stem).length < count && Date.now() < deadline) await h.sleep(200);
  return printedFiles(home, stem);
}

// The outcome of a Mode 1 page opened in a tab of its own (closed again).
async function outcomeInNewTab(browser, url) {
  const tab = await h.openPage(browser, url);
  const [{ outcome }] = await h.outcomes(tab.mainFrame(), 1);
  await tab.close();
  return outcome;
}

// Makes the extension in dir a later version of itself, as an update brings it.
function raiseVersion(dir) {
  const file = path.join(dir, 'manifest.json');
  const manifest = JSON.parse(fs.readFileSync(file, 'utf8'));
  fs.writeFileSync(file, JSON.stringify({ ...manifest, version: '0.1.1' }));
}

// The tab's frame whose URL holds path.
const frameOf = (tab, path) => tab.frames().find((f) => f.url().includes(path));

module.exports = {
  mode1, form, serveOrigins, openThreeThousandObjects, printedFiles, waitForPrinted, outcomeInNewTab, frameOf, layoutNow, raiseVersion, LAYOUT_CASES,
};
