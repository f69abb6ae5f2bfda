// The control in Chromium with the real host: buttons and their geometry, printing on the
// private print server and to the PDF printer, equal to what `vant` prints for the same page.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness.js');

// What the shared browser, server and home leave to clean up when every test has run.
const cleanups = [];
const suite = { after: (fn) => cleanups.push(fn) };
after(async () => {
  for (const fn of cleanups.reverse()) await fn();
});
let home;
let browser;
let site;

const examples = ['invoice.html', 'shipping-label.html', 'delivery-note.html'];
const exampleBytes = (name) => fs.readFileSync(path.join(h.ROOT, 'examples', name));

// Pages served by the loopback server; each also written to the home for `vant` and file://.
const pages = {
  '/cmd-none.html': h.page(h.control([['method1', 'newpage']], 'id="C" width="400" height="60"')),
  '/cmd-caption.html': h.page(h.control([['CmdProperty', '発行'], ['method1', 'newpage']], 'id="C" width="400" height="60"')),
  '/cmd-width.html': h.page(h.control([['CmdProperty', '発行,150'], ['method1', 'newpage']], 'id="C" width="400" height="60"')),
  '/cmd-size.html': h.page(h.control([['CmdProperty', '発行,150,40'], ['method1', 'newpage']], 'id="C" width="400" height="60"')),
  '/cmd-four.html': h.page(h.control([['CmdProperty', '発行,120,30,x'], ['method1', 'newpage']], 'id="C" width="400" height="60"')),
  '/cmd-p.html': h.page(h.control([['CmdProperty', ''], ['pCmdProperty', 'Go,90'], ['method1', 'newpage']], 'id="C" width="400" height="60"')),
  '/to-pdf.html': h.page(h.control([
    ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'papersize,a4'], ['method3', 'scalemode,mm'],
    ['method4', 'prntext,20,30,合計 1,,234円,ＭＳ 明朝,12,false,true,255'], ['method5', 'prnbox,15,25,120,40,2,solid,0'],
    ['method6', 'prnjan13,20,50,490123456789,40,15,true'], ['method7', 'enddoc']], 'id="P"')),
  '/changeprinter.html': h.page(h.control([
    ['method1', 'scalemode,mm'], ['method2', 'prntext,20,20,BACK TO OFFICE,ＭＳ ゴシック,12,false,false,0'],
    ['method3', 'enddoc'], ['method4', 'changeprinter,Label']], 'id="CP"')),
  '/two.html': h.page(`${h.control([['CmdProperty', '一つ目'], ['method1', 'scalemode,mm'],
    ['method2', 'prntext,10,10,FIRST LIST,ＭＳ ゴシック,12,false,false,0'], ['method3', 'enddoc']], 'id="One"')}
<p>between</p>
${h.control([['CmdProperty', '二つ目,140'], ['method1', 'scalemode,mm'],
    ['method2', 'prntext,10,10,SECOND LIST,ＭＳ ゴシック,12,false,false,0'], ['method3', 'enddoc']], 'id="Two"')}`),
  '/stopped.html': h.page(h.control([['method1', 'scalemode,mm'], ['method2', 'prnbux,10,10,20,20'], ['method3', 'enddoc']], 'id="S"')),
  '/mode1.html': h.page(`${h.control([['Mode', '1'], ['method1', 'scalemode,mm'],
    ['method2', 'prntext,10,10,AUTOMATIC,ＭＳ ゴシック,12,false,false,0'], ['method3', 'enddoc']], 'id="M"')}
<script>
window.addObject = () => {
  const o = document.createElement('object');
  o.id = 'Later';
  document.body.append(o);
};
</script>`),
  '/added.html': h.page(`<p>the form is built by a script</p>
<script>
setTimeout(() => {
  const o = document.createElement('object');
  o.id = 'Built';
  o.setAttribute('width', '300');
  o.setAttribute('height', '50');
  for (const [name, value] of [['CmdProperty', '後から,130'], ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'scalemode,mm'],
      ['method3', 'prntext,10,10,BUILT LATER,ＭＳ ゴシック,12,false,false,0'], ['method4', 'enddoc']]) {
    const p = document.createElement('param');
    p.name = name;
    p.value = value;
    o.append(p);
  }
  document.body.append(o);
}, 300);
</script>`),
  '/outer.html': h.page('<p>outer page</p><iframe src="/framed.html" width="600" height="200"></iframe>'),
  '/framed.html': h.page(h.control([['CmdProperty', '枠内'], ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'scalemode,mm'],
    ['method3', 'prntext,10,10,IN A FRAME,ＭＳ ゴシック,12,false,false,0'], ['method4', 'enddoc']], 'id="F"')),
};

// The same page in Shift_JIS and in UTF-8.
const twin = (charset) => h.page(h.control([
  ['CmdProperty', '帳票発行,130'], ['method1', 'changeprinter,Vant3 PDF'], ['method2', 'scalemode,mm'],
  ['method3', 'prntext,10,10,ｶﾀｶﾅ 漢字 ①〜№ 髙﨑,ＭＳ 明朝,14,false,false,0'],
  ['method4', 'prncode39,10,30,VANT-3,60,10,true,false'], ['method5', 'enddoc']], 'id="T"'), { charset });
pages['/twin-utf8.html'] = twin('utf-8');
const sjisTwin = h.tool('iconv', ['-f', 'UTF-8', '-t', 'CP932'], { encoding: 'buffer', input: twin('shift_jis') });

before(async () => {
  h.requirePrivateServer();
  home = h.makeHome(suite);
  const routes = {};
  for (const [route, body] of Object.entries(pages)) {
    routes[route] = { body };
    fs.writeFileSync(path.join(home.home, route.slice(1)), body);
  }
  routes['/twin-sjis.html'] = { body: sjisTwin, type: 'text/html' };
  for (const name of examples) routes[`/examples/${name}`] = { body: exampleBytes(name), type: 'text/html' };
  site = await h.serve(suite, routes);
  browser = await h.launchChromium(suite, home);
  await h.allowOriginByUser(browser, site.origin);
});

async function open(route) {
  const tab = await h.openPage(browser, site.url(route));
  return tab;
}

const byRole = (buttons, role) => buttons.filter((b) => b.role === role);

// Buttons as the control lays them out: CmdProperty caption and size, or "印刷" 108 x 33; the
// preview button 108 x 33, 5 px to the print button's right, on the same top.
const geometry = [
  ['/cmd-none.html', '印刷', 108, 33],
  ['/cmd-caption.html', '発行', 108, 33],
  ['/cmd-width.html', '発行', 150, 33],
  ['/cmd-size.html', '発行', 150, 40],
  ['/cmd-four.html', '印刷', 108, 33],
  ['/cmd-p.html', 'Go', 90, 33],
];
for (const [route, caption, width, height] of geometry) {
  test(`buttons of ${route}: "${caption}" ${width} x ${height}, the preview button beside it`, async () => {
    const tab = await open(route);
    const buttons = await h.waitForButtons(tab, (b) => b.length === 2);
    const [print] = byRole(buttons, 'print');
    const [preview] = byRole(buttons, 'preview');
    assert.deepEqual([print.caption, print.width, print.height, print.disabled], [caption, width, height, false]);
    assert.deepEqual([preview.caption, preview.width, preview.height, preview.disabled], ['印刷プレビュー', 108, 33, false]);
    assert.equal(preview.x - print.x, width + 5);
    assert.equal(preview.y, print.y);
    // The box takes the OBJECT's width and height and holds both buttons.
    const box = await tab.evaluate(() => {
      const r = document.getElementById('C').previousElementSibling.getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height };
    });
    assert.deepEqual([box.width, box.height], [400, 60]);
    // The print button at the control's designed place, 8, 8 inside the box.
    assert.deepEqual([print.x - box.x, print.y - box.y], [8, 8]);
    for (const b of buttons) assert.ok(b.x >= box.x && b.y >= box.y && b.y + b.height <= box.y + box.height, JSON.stringify(b));
    await tab.close();
  });
}

// Clicks the control's print button (the nth on the page) and returns the outcome.
async function printFrom(tab, nth = 0, frame = tab.mainFrame()) {
  const buttons = await h.waitForButtons(tab, (b) => byRole(b, 'print').length > nth);
  const before = (await frame.evaluate(() => window.vant3Outcomes.length));
  await h.click(tab, byRole(buttons, 'print')[nth]);
  const all = await h.outcomes(frame, before + 1);
  return all[before];
}

for (const name of examples) {
  test(`${name} printed from the page equals \`vant print\` of the file on the private server`, async () => {
    const tab = await open(`/examples/${name}`);
    const { outcome } = await printFrom(tab);
    assert.equal(outcome.stopped, false);
    assert.deepEqual(outcome.messages, []);
    assert.equal(outcome.printed.length, 1);
    const [job] = outcome.printed;
    assert.equal(job.printer, 'Office');
    const fromPage = h.paperOf(await h.waitForCompletedJob('Office', job.job));
    assert.equal(fromPage.pages, job.pages);
    const saved = path.join(home.home, `page-${name}.pdf`);
    fs.copyFileSync(path.join(h.requirePrivateServer(), 'Office.pdf'), saved);
    h.vant(['print', path.join(h.ROOT, 'examples', name)]);
    const last = Math.max(...h.completedJobs('Office', 'all'));
    assert.ok(last > job.job);
    const fromCommand = h.paperOf(await h.waitForCompletedJob('Office', last));
    assert.deepEqual(h.paperOf(saved), fromCommand);
    await tab.close();
  });
}

test('to Vant3 PDF: a file in the download folder named from the page, equal to `vant pdf`', async () => {
  const tab = await open('/to-pdf.html');
  const first = (await printFrom(tab)).outcome;
  const second = (await printFrom(tab)).outcome;
  assert.deepEqual(first.printed.map((p) => [p.printer, p.file, p.folder, p.pages]),
    [['Vant3 PDF', 'to-pdf.pdf', 'downloads', 1]]);
  // numbered rather than overwritten
  assert.equal(second.printed[0].file, 'to-pdf-2.pdf');
  const reference = path.join(home.home, 'reference.pdf');
  h.vant(['pdf', path.join(home.home, 'to-pdf.html'), '-o', reference]);
  const want = h.paperOf(reference);
  assert.deepEqual(h.paperOf(h.downloaded(home, first.printed[0])), want);
  assert.deepEqual(h.paperOf(h.downloaded(home, second.printed[0])), want);
  await tab.close();
});

test('a Shift_JIS page prints as its UTF-8 twin', async () => {
  const files = [];
  for (const route of ['/twin-sjis.html', '/twin-utf8.html']) {
    const tab = await open(route);
    const buttons = await h.waitForButtons(tab, (b) => b.length === 2);
    assert.equal(byRole(buttons, 'print')[0].caption, '帳票発行');
    files.push(h.downloaded(home, (await printFrom(tab)).outcome.printed[0]));
    await tab.close();
  }
  const [sjis, utf8] = files.map(h.paperOf);
  assert.match(utf8.text, /漢字/);
  assert.deepEqual(sjis, utf8);
});

test('a list that changes the printer leaves the previous printer current after each click', async () => {
  const tab = await open('/changeprinter.html');
  for (let click = 0; click < 2; click += 1) {
    const { outcome } = await printFrom(tab);
    assert.deepEqual(outcome.printed.map((p) => p.printer), ['Office'], `click ${click + 1}`);
    const text = h.paperOf(await h.waitForCompletedJob('Office', outcome.printed[0].job)).text;
    assert.match(text, /BACK TO OFFICE/);
  }
  await tab.close();
});

test('two controls on one page share one method list: the last one read wins', async () => {
  const tab = await open('/two.html');
  const buttons = await h.waitForButtons(tab, (b) => b.length === 4);
  assert.deepEqual(byRole(buttons, 'print').map((b) => [b.caption, b.width]), [['一つ目', 108], ['二つ目', 140]]);
  for (const nth of [0, 1]) {
    const { target, outcome } = await printFrom(tab, nth);
    assert.equal(target, ['One', 'Two'][nth]);
    const text = h.paperOf(await h.waitForCompletedJob('Office', outcome.printed[0].job)).text;
    assert.match(text, /SECOND LIST/);
  }
  await tab.close();
});

test('a stopped run reaches the page as its messages and prints nothing', async () => {
  const tab = await open('/stopped.html');
  const jobs = h.completedJobs('Office').length;
  const { target, outcome } = await printFrom(tab);
  assert.equal(target, 'S');
  assert.equal(outcome.stopped, true);
  assert.deepEqual(outcome.printed, []);
  assert.equal(outcome.messages[0].icon, 'critical');
  assert.equal(outcome.messages[0].title, 'エラー');
  assert.match(outcome.messages[0].text, /2:prnbux/);
  assert.match(outcome.messages[0].text, /印刷を中断しました!/);
  await h.sleep(500);
  assert.equal(h.completedJobs('Office').length, jobs);
  await tab.close();
});

test('Mode 1 prints once when the control is shown, not again when the page changes', async () => {
  const jobs = h.completedJobs('Office').length;
  const tab = await open('/mode1.html');
  const [{ target, outcome }] = await h.outcomes(tab.mainFrame(), 1);
  assert.equal(target, 'M');
  assert.equal(outcome.printed.length, 1);
  assert.match(h.paperOf(await h.waitForCompletedJob('Office', outcome.printed[0].job)).text, /AUTOMATIC/);
  // An OBJECT added later sends the document again; the control shown already runs nothing.
  await tab.evaluate(() => window.addObject());
  await h.sleep(1000);
  const events = await tab.evaluate(() => window.vant3Outcomes);
  assert.equal(events.length, 1, JSON.stringify(events));
  assert.equal(h.completedJobs('Office').length, jobs + 1);
  await tab.close();
});

test('a page script\'s click on the button prints nothing; the user\'s click prints', async () => {
  const tab = await open('/to-pdf.html');
  await h.waitForButtons(tab, (b) => b.length === 2);
  const files = fs.readdirSync(home.downloads).length;
  await h.scriptClick(tab, 'print');
  await h.scriptClick(tab, 'preview');
  await h.sleep(1000);
  assert.deepEqual(await tab.evaluate(() => window.vant3Outcomes), []);
  assert.equal(fs.readdirSync(home.downloads).length, files);
  const { outcome } = await printFrom(tab);
  assert.equal(outcome.printed.length, 1);
  await tab.close();
});

test('an OBJECT added by a script after load gets its buttons and prints', async () => {
  const tab = await open('/added.html');
  const buttons = await h.waitForButtons(tab, (b) => b.length === 2);
  assert.deepEqual(byRole(buttons, 'print').map((b) => [b.caption, b.width]), [['後から', 130]]);
  const { target, outcome } = await printFrom(tab);
  assert.equal(target, 'Built');
  assert.match(h.paperOf(h.downloaded(home, outcome.printed[0])).text, /BUILT LATER/);
  await tab.close();
});

test('a control in a frame prints, its outcome in the frame\'s document', async () => {
  const tab = await open('/outer.html');
  const frame = tab.frames().find((f) => f.url().endsWith('/framed.html'));
  await frame.waitForFunction(() => window.vant3Outcomes !== undefined);
  const buttons = await h.waitForButtons(tab, (b) => b.length === 2);
  assert.equal(byRole(buttons, 'print')[0].caption, '枠内');
  const { target, outcome } = await printFrom(tab, 0, frame);
  assert.equal(target, 'F');
  assert.match(h.paperOf(h.downloaded(home, outcome.printed[0])).text, /IN A FRAME/);
  await tab.close();
});

test('a file:// page prints without asking (the browser\'s file access switch governs it)', async () => {
  const tab = await h.openPage(browser, `file://${path.join(home.home, 'to-pdf.html')}`);
  const { outcome } = await printFrom(tab);
  assert.equal(outcome.printed[0].printer, 'Vant3 PDF');
  assert.match(outcome.printed[0].file, /^to-pdf(-\d+)?\.pdf$/);
  assert.equal(outcome.printed[0].folder, 'downloads');
  await tab.close();
});
