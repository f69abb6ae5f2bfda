// What the browser tests share: the real `vant` as the native host, a home and browser
// profile of the test's own (host manifests, download folder), a loopback HTTP server for
// the pages, Chromium and Firefox driven by puppeteer-core, and readers for what the page
// shows and what was printed. Every missing piece fails the test loudly.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const http = require('node:http');
const { execFileSync } = require('node:child_process');
const puppeteer = require('puppeteer-core');
const { build: buildFirefoxExtension } = require('../../scripts/build-firefox-extension.js');

const ROOT = path.resolve(__dirname, '..', '..');
const EXTENSION_DIR = path.join(ROOT, 'extension');
const EXTENSION_ID = 'cmfoddcpcfojglfohaalpmkdlpchcekf';
const FIREFOX_ADDON_ID = 'print@vant3';
const HOST_NAME = 'vant3.host';
const CHROMIUM = '/usr/lib/chromium/chromium';
const FIREFOX = '/usr/lib/firefox-esr/firefox-esr';

// Cleanups run last-registered first (the browser closes before its profile is removed),
// once the test (or the suite object passed as t) ends.
const cleanupStacks = new WeakMap();
function onCleanup(t, fn) {
  if (!cleanupStacks.has(t)) {
    const stack = [];
    cleanupStacks.set(t, stack);
    t.after(async () => {
      while (stack.length) await stack.pop()();
    });
  }
  cleanupStacks.get(t).push(fn);
}

// What a test file's shared browser, servers and home leave to clean up, run when every
// test of the file has run: pass the returned object where a test's context would go.
function sharedSuite() {
  const cleanups = [];
  require('node:test').after(async () => {
    for (const fn of cleanups.reverse()) await fn();
  });
  return { after: (fn) => cleanups.push(fn) };
}

function requireEnv(name) {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set: the browser tests run through CTest (scripts/test.sh)`);
  return value;
}

function vantBinary() {
  const vant = requireEnv('VANT_BINARY');
  fs.accessSync(vant, fs.constants.X_OK);
  return vant;
}

function requireExecutable(file) {
  try {
    fs.accessSync(file, fs.constants.X_OK);
  } catch {
    throw new Error(`${file} is missing: run scripts/install-browser-deps.sh`);
  }
  return file;
}

// A home of the test's own: the XDG download folder the PDF printer writes into, and a
// wrapper the host manifests name, which records each start of the host and runs `vant`.
function makeHome(t) {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), 'vant3-browser-'));
  onCleanup(t, () => fs.rmSync(home, { recursive: true, force: true }));
  const downloads = path.join(home, 'Downloads');
  const runtime = path.join(home, 'runtime');
  fs.mkdirSync(downloads);
  fs.mkdirSync(runtime, { mode: 0o700 });
  fs.mkdirSync(path.join(home, '.config'));
  fs.writeFileSync(path.join(home, '.config', 'user-dirs.dirs'), 'XDG_DOWNLOAD_DIR="$HOME/Downloads"\n');
  const starts = path.join(home, 'host-starts');
  const hostPath = path.join(home, 'vant-host');
  fs.writeFileSync(hostPath, `#!/bin/sh\necho "$$ $*" >> '${starts}'\nexec '${vantBinary()}' "$@"\n`, { mode: 0o755 });
  return {
    home, downloads, hostPath,
    // How many times a browser started the host, and the process ids it had.
    hostStarts: () => (fs.existsSync(starts) ? fs.readFileSync(starts, 'utf8').trim().split('\n').length : 0),
    // How many host processes the browser started while fn ran.
    async hostsStartedBy(fn) {
      const before = this.hostStarts();
      await fn();
      return this.hostStarts() - before;
    },
    hostPids: () => (fs.existsSync(starts) ? fs.readFileSync(starts, 'utf8').trim().split('\n').map((l) => Number(l.split(' ')[0])) : []),
    env: { HOME: home, XDG_CONFIG_HOME: path.join(home, '.config'), XDG_RUNTIME_DIR: runtime },
  };
}

function writeHostManifest(dir, hostPath, allowed) {
  fs.mkdirSync(dir, { recursive: true });
  const manifest = { name: HOST_NAME, description: 'Vant3 印刷コントロール', path: hostPath, type: 'stdio', ...allowed };
  fs.writeFileSync(path.join(dir, `${HOST_NAME}.json`), JSON.stringify(manifest));
}

// Chromium's environment reaches the host it starts: the private print server, the home.
function browserEnv(home, extra = {}) {
  const env = { ...process.env, ...home.env, ...extra };
  delete env.LPDEST;
  delete env.PRINTER;
  for (const [name, value] of Object.entries(extra)) if (value === undefined) delete env[name];
  return env;
}

// Chromium with the extension unpacked and the host registered in its own profile (with a
// custom profile Chromium reads host manifests only there and in /etc). registered: true
// writes the manifest naming the test's host wrapper (which counts the host's starts);
// 'vant register' lets `vant register` write it into the home, and the profile is then the
// home's ~/.config/chromium, where a normal profile lives. policy: managed
// policy for the extension, seen through a private mount of /etc/chromium that only this
// browser's processes see (the machine's /etc is never written); policyFile: instead, the
// whole text of the policy file, as an administrator writes it (comments included).
// extension: false starts it without the extension, which installExtension adds later;
// extensionDir: a copy of the extension to load instead (the same key, so the same id).
async function launchChromium(t, home, { policy, policyFile, display, headless = true, env = {}, registered = true,
  extension = true, extensionDir = EXTENSION_DIR } = {}) {
  requireExecutable(CHROMIUM);
  let profile = path.join(home.home, 'chromium');
  if (registered === 'vant register') {
    vant(['register'], { env: home.env });
    profile = path.join(home.home, '.config', 'chromium');
  } else if (registered) {
    writeHostManifest(path.join(profile, 'NativeMessagingHosts'), home.hostPath,
      { allowed_origins: [`chrome-extension://${EXTENSION_ID}/`] });
  }
  let executablePath = CHROMIUM;
  if (policy) executablePath = policyWrapper(home, JSON.stringify({ '3rdparty': { extensions: { [EXTENSION_ID]: policy } } }));
  if (policyFile) executablePath = policyWrapper(home, policyFile);
  const browser = await puppeteer.launch({
    executablePath,
    pipe: true,
    headless: headless ? true : false,
    enableExtensions: extension ? [extensionDir] : true,
    userDataDir: profile,
    env: browserEnv(home, { DISPLAY: display, ...env }),
    args: [
      '--no-sandbox', '--no-first-run', '--no-default-browser-check', '--disable-sync',
      '--disable-background-networking', '--disable-component-update', '--disable-domain-reliability',
      '--no-pings', '--password-store=basic', '--use-mock-keychain',
      // no request leaves the machine: every name but the loopback server's fails to resolve
      '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
    ],
  });
  onCleanup(t, () => browser.close());
  if (extension) await extensionWorker(browser);
  return browser;
}

// The extension's service worker, once it runs.
async function extensionWorker(browser) {
  const target = await browser.waitForTarget((x) => x.type() === 'service_worker' &&
    x.url().startsWith(`chrome-extension://${EXTENSION_ID}/`), { timeout: 30000 });
  return target.worker();
}

function policyWrapper(home, policyText) {
  const etc = path.join(home.home, 'etc-chromium');
  fs.mkdirSync(path.join(etc, 'policies', 'managed'), { recursive: true });
  fs.writeFileSync(path.join(etc, 'policies', 'managed', 'vant3.json'), policyText);
  const wrapper = path.join(home.home, 'chromium-with-policy');
  fs.writeFileSync(wrapper, `#!/bin/sh
exec unshare --mount --propagation private sh -c 'mount --bind "$0" /etc/chromium && exec ${CHROMIUM} "$@"' '${etc}' "$@"
`, { mode: 0o755 });
  return wrapper;
}

// Firefox ESR over WebDriver BiDi with the extension as a temporary add-on; the host
// manifest in the test home's ~/.mozilla/native-messaging-hosts. policy: the extension's
// managed storage, which Firefox reads from ~/.mozilla/managed-storage (WebDriver BiDi
// cannot open the extension's own pages, so a test allows its origin this way). env: as
// for Chromium, what the host it starts finds in its environment. install: false starts it
// without the add-on (installFirefoxExtension adds it later); adjust(dir) changes the built
// add-on before it is installed.
async function launchFirefox(t, home, { policy, env = {}, install = true, adjust = () => {} } = {}) {
  requireExecutable(FIREFOX);
  writeHostManifest(path.join(home.home, '.mozilla', 'native-messaging-hosts'), home.hostPath,
    { allowed_extensions: [FIREFOX_ADDON_ID] });
  if (policy) {
    const dir = path.join(home.home, '.mozilla', 'managed-storage');
    fs.mkdirSync(dir, { recursive: true });
    fs.writeFileSync(path.join(dir, `${FIREFOX_ADDON_ID}.json`),
      JSON.stringify({ name: FIREFOX_ADDON_ID, description: 'Vant3 test policy', type: 'storage', data: policy }));
  }
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: FIREFOX,
    headless: true,
    userDataDir: path.join(home.home, 'firefox'),
    env: browserEnv(home, env),
    extraPrefsFirefox: {
      'network.proxy.type': 0,
      'extensions.webextensions.restrictedDomains': '',
      'datareporting.policy.dataSubmissionEnabled': false,
      // the add-on's storage (the user's allowed origins) outlives the temporary add-on,
      // as an installed add-on's outlives the browser
      'extensions.webextensions.keepStorageOnUninstall': true,
    },
  });
  onCleanup(t, () => browser.close());
  if (install) await installFirefoxExtension(browser, home, adjust);
  return browser;
}

async function installFirefoxExtension(browser, home, adjust = () => {}) {
  const extension = path.join(home.home, 'extension-firefox');
  buildFirefoxExtension(extension);
  adjust(extension);
  await browser.installExtension(extension);
}

// A copy of the Chromium extension in the home, changed by adjust(dir).
function chromiumExtensionCopy(home, adjust) {
  const dir = path.join(home.home, 'extension-chromium');
  fs.cpSync(EXTENSION_DIR, dir, { recursive: true });
  adjust(dir);
  return dir;
}

// ---- pages ---------------------------------------------------------------------------

// A loopback HTTP server: routes maps a path to { body (Buffer or text), type, headers }
// (looked up at each request, so routes may be added once the servers' origins are known).
async function serve(t, routes) {
  const server = http.createServer((req, res) => {
    const route = routes[new URL(req.url, 'http://x').pathname];
    if (!route) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'content-type': route.type || 'text/html; charset=utf-8', ...route.headers });
    res.end(route.body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  onCleanup(t, () => new Promise((resolve) => {
    server.close(resolve);
    server.closeAllConnections();  // the browser keeps its connections alive
  }));
  const origin = `http://127.0.0.1:${server.address().port}`;
  return { origin, url: (p) => origin + p };
}

// A host page: the OBJECTs' markup in a plain body.
function page(body, { title = 'Vant3 test', charset = 'utf-8' } = {}) {
  return `<!DOCTYPE html><html><head><meta charset="${charset}"><title>${title}</title></head><body>\n${body}\n</body></html>\n`;
}

function control(params, attributes = '') {
  const tags = params.map(([name, value]) => `  <param name="${name}" value="${value}">`).join('\n');
  return `<object ${attributes}>\n${tags}\n</object>`;
}

// Every page records the outcome events its OBJECTs receive (in every frame).
async function recordOutcomes(page) {
  await page.evaluateOnNewDocument(() => {
    window.vant3Outcomes = [];
    document.addEventListener('vant3-outcome', (event) => {
      window.vant3Outcomes.push({ target: event.target.id, outcome: JSON.parse(event.detail) });
    }, true);
  });
}

// The same, installed in a frame already loaded. (Firefox keeps the window of a frame's first,
// empty document for the page it then loads, and the recorder set up for the empty one with
// it, but not its listener.)
async function recordOutcomesIn(frame) {
  await frame.evaluate(() => {
    if (document.vant3Recording) return;
    document.vant3Recording = true;
    window.vant3Outcomes = [];
    document.addEventListener('vant3-outcome', (event) => {
      window.vant3Outcomes.push({ target: event.target.id, outcome: JSON.parse(event.detail) });
    }, true);
  });
}

async function outcomes(frame, count, timeout = 30000) {
  // polled by a timer: animation frames stop in a tab in the background
  await frame.waitForFunction((n) => window.vant3Outcomes.length >= n, { timeout, polling: 100 }, count);
  return frame.evaluate(() => window.vant3Outcomes);
}

async function openPage(browser, url) {
  const tab = await browser.newPage();
  await recordOutcomes(tab);
  await tab.goto(url, { waitUntil: 'load' });
  return tab;
}

// The extension's controls as laid out on the page (inside closed shadow roots, in every
// frame): role, caption, disabled, and the border box in CSS pixels of the main viewport.
async function controlButtons(tab) {
  const cdp = await tab.createCDPSession();
  try {
    const { root } = await cdp.send('DOM.getDocument', { depth: -1, pierce: true });
    const nodes = [];
    const walk = (node) => {
      const attrs = node.attributes || [];
      const role = attrs[attrs.indexOf('data-vant3') + 1];
      if (attrs.includes('data-vant3')) {
        nodes.push({ node, role, disabled: attrs.includes('disabled'), ready: attrs.includes('data-ready') });
      }
      for (const child of [...(node.shadowRoots || []), ...(node.children || []), node.contentDocument]) {
        if (child) walk(child);
      }
    };
    walk(root);
    const buttons = [];
    for (const { node, role, disabled, ready } of nodes) {
      let model;
      try {
        ({ model } = await cdp.send('DOM.getBoxModel', { nodeId: node.nodeId }));
      } catch {
        continue;  // the box changed since the walk: the next look sees it
      }
      const [x1, y1, x2, , , y3] = model.border;
      const caption = (node.children || []).filter((c) => c.nodeType === 3).map((c) => c.nodeValue).join('');
      buttons.push({ role, caption, disabled, ready, x: x1, y: y1, width: x2 - x1, height: y3 - y1 });
    }
    return buttons;
  } finally {
    await cdp.detach();
  }
}

async function waitForButtons(tab, predicate, timeout = 30000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const buttons = await controlButtons(tab);
    if (predicate(buttons)) return buttons;
    if (Date.now() > deadline) throw new Error(`the controls never showed as expected: ${JSON.stringify(buttons)}`);
    await new Promise((r) => setTimeout(r, 100));
  }
}

// A trusted click, as a user's: the mouse pressed in the middle of the button, once the
// button has stood visible long enough for a click to count.
async function click(tab, button) {
  const same = (b) => b.role === button.role && b.x === button.x && b.y === button.y;
  await waitForButtons(tab, (buttons) => buttons.some((b) => same(b) && b.ready));
  await tab.mouse.click(button.x + button.width / 2, button.y + button.height / 2);
}

// ---- what was printed ----------------------------------------------------------------

function tool(command, args, options = {}) {
  return execFileSync(command, args, { encoding: options.encoding || 'utf8', env: options.env || process.env,
    input: typeof options.input === 'string' ? Buffer.from(options.input) : options.input, maxBuffer: 64 << 20 });
}

function requirePrivateServer() {
  requireEnv('CUPS_SERVER');
  return requireEnv('VANT_CUPS_OUTPUT');
}

function completedJobs(queue, which = 'completed') {
  const out = tool('lpstat', ['-W', which, '-o', queue]);
  return out.split('\n').filter(Boolean).map((line) => Number(line.split(/\s+/)[0].split('-').pop()));
}

async function waitForCompletedJob(queue, job, timeout = 30000) {
  const deadline = Date.now() + timeout;
  while (!completedJobs(queue).includes(job)) {
    if (Date.now() > deadline) throw new Error(`job ${job} on ${queue} did not complete`);
    await new Promise((r) => setTimeout(r, 100));
  }
  return path.join(requirePrivateServer(), `${queue}.pdf`);
}

// What reaches paper, read back: the page count and size, the text, and each page
// rasterised in grey at a low resolution (so marks are compared, not PDF bytes).
function paperOf(pdf) {
  const info = tool('pdfinfo', [pdf]);
  const pages = Number(/^Pages:\s+(\d+)/m.exec(info)[1]);
  const size = /^Page size:\s+(.*)$/m.exec(info)[1];
  const text = tool('pdftotext', ['-layout', pdf, '-']);
  const raster = tool('pdftoppm', ['-r', '24', '-gray', pdf], { encoding: 'buffer' }).toString('base64');
  return { pages, size, text, raster };
}

// The PDF file a printed entry of an outcome names: by its file name alone, in the download
// folder, as a page may know it (no folder of the user's reaches a page).
function downloaded(home, printed) {
  if (printed.folder !== 'downloads' || typeof printed.file !== 'string' || printed.file.includes('/')) {
    throw new Error(`the outcome names its file otherwise than by name in the download folder: ${JSON.stringify(printed)}`);
  }
  return path.join(home.downloads, printed.file);
}

function vant(args, options = {}) {
  return execFileSync(vantBinary(), args, { encoding: 'utf8', env: { ...process.env, ...options.env }, cwd: options.cwd });
}

module.exports = {
  ROOT, EXTENSION_DIR, EXTENSION_ID, sharedSuite, makeHome, launchChromium, launchFirefox, serve, page, control, openPage, outcomes,
  controlButtons, waitForButtons, click, requirePrivateServer, completedJobs, waitForCompletedJob, paperOf,
  downloaded, vant, tool,
};

// ---- consent -------------------------------------------------------------------------

// Allows an origin as the user does: the extension's own page, a trusted click on its button.
async function allowOriginByUser(browser, origin, extensionOrigin = `chrome-extension://${EXTENSION_ID}`) {
  const tab = await browser.newPage();
  await tab.goto(`${extensionOrigin}/consent.html?origin=${encodeURIComponent(origin)}`);
  await tab.waitForSelector('#allow[data-ready]:not([hidden])');
  await tab.click('#allow');
  await tab.waitForFunction(() => document.getElementById('status').textContent.includes('許可されています'));
  await tab.close();
}

// A click made by a script in the page's own world on the button itself (what a page
// would do if it could reach the button): not trusted.
async function scriptClick(tab, role) {
  const cdp = await tab.createCDPSession();
  try {
    const { root } = await cdp.send('DOM.getDocument', { depth: -1, pierce: true });
    const find = (node) => {
      const attrs = node.attributes || [];
      if (attrs[attrs.indexOf('data-vant3') + 1] === role && attrs.includes('data-vant3')) return node;
      for (const child of [...(node.shadowRoots || []), ...(node.children || []), node.contentDocument]) {
        const found = child && find(child);
        if (found) return found;
      }
      return null;
    };
    const node = find(root);
    if (!node) throw new Error(`no ${role} button on the page`);
    const { object } = await cdp.send('DOM.resolveNode', { backendNodeId: node.backendNodeId });
    await cdp.send('Runtime.callFunctionOn', { objectId: object.objectId, functionDeclaration: 'function () { this.click(); }' });
  } finally {
    await cdp.detach();
  }
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function running(pid) {
  try {
    process.kill(pid, 0);
    return true;
  } catch {
    return false;
  }
}

// Waits until the process has ended (a host closed by the browser).
async function waitForExit(pid, timeout = 10000) {
  const deadline = Date.now() + timeout;
  while (running(pid)) {
    if (Date.now() > deadline) throw new Error(`process ${pid} is still running`);
    await sleep(100);
  }
}
module.exports.running = running;
module.exports.waitForExit = waitForExit;

module.exports.allowOriginByUser = allowOriginByUser;
module.exports.scriptClick = scriptClick;
module.exports.sleep = sleep;

// ---- a display for the preview window ------------------------------------------------

// Xvfb on a free display number (it tells the number it took on a pipe).
async function startXvfb(t) {
  const { spawn } = require('node:child_process');
  requireExecutable('/usr/bin/Xvfb');
  const xvfb = spawn('/usr/bin/Xvfb', ['-displayfd', '3', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  onCleanup(t, () => xvfb.kill());
  const number = await new Promise((resolve, reject) => {
    let text = '';
    xvfb.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) resolve(text.trim());
    });
    xvfb.on('exit', (code) => reject(new Error(`Xvfb ended (${code}) before it took a display`)));
  });
  return `:${number}`;
}

// The visible top-level windows on the display, by title (xdotool).
function windows(display) {
  requireExecutable('/usr/bin/xdotool');
  let ids = '';
  try {
    ids = tool('xdotool', ['search', '--onlyvisible', '--name', '.'], { env: { ...process.env, DISPLAY: display } });
  } catch (error) {
    if (error.status === 1) return [];  // none found
    throw error;
  }
  return ids.split('\n').filter(Boolean).map((id) => ({
    id,
    title: tool('xdotool', ['getwindowname', id], { env: { ...process.env, DISPLAY: display } }).trim(),
  }));
}

// Presses keys in a window as a user does (focus, then the keyboard).
function pressKeys(display, windowId, keys) {
  const env = { ...process.env, DISPLAY: display };
  tool('xdotool', ['windowfocus', '--sync', windowId], { env });
  tool('xdotool', ['key', '--clearmodifiers', keys], { env });
}

module.exports.startXvfb = startXvfb;
module.exports.extensionWorker = extensionWorker;
module.exports.recordOutcomesIn = recordOutcomesIn;
module.exports.installFirefoxExtension = installFirefoxExtension;
module.exports.chromiumExtensionCopy = chromiumExtensionCopy;
module.exports.windows = windows;
module.exports.pressKeys = pressKeys;
