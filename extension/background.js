// The service worker (Chromium) or background script (Firefox): links each document that
// holds OBJECT elements to its tab's native host (one host serves every document of a tab),
// keeps every document told whether it may print, and marks the tabs that a page nobody
// allowed opened or navigated, and bounds the automatic runs of each top-level page load.
// Nothing is answered before the administrator's policy is known.
'use strict';

if (typeof importScripts === 'function' && typeof Vant3Origins === 'undefined') {
  importScripts('lib/origins.js', 'lib/consent-store.js', 'lib/policy-wait.js', 'lib/tab-hosts.js',
    'lib/navigation-trust.js', 'lib/page-loads.js', 'lib/document-link.js');
}

const api = typeof browser !== 'undefined' ? browser : chrome;
const HOST_NAME = 'vant3.host';
const PORT_NAME = 'vant3-document';
const { storedOrigins, readPolicy, pageOf, originPage, ancestorPages, consentState,
  documentConsent } = Vant3Origins;

// Firefox reads managed storage from its files when asked; Chromium delivers it later.
const readsManagedAtOnce = typeof browser !== 'undefined' && typeof browser.runtime.getBrowserInfo === 'function';

const documents = new Set();  // { link, tabId, page, ancestors } once the document said hello
let nextDocument = 1;
let settings = { known: false, userOrigins: [], policy: readPolicy({}) };
let settingsRetry = null;

// ---- the policy and the user's origins ---------------------------------------------------

// Managed storage throws where no policy schema or policy exists (Firefox without a policy).
async function readManaged() {
  try {
    return await api.storage.managed.get(null);
  } catch {
    return {};
  }
}

// When this browser session started: the first start of the worker in it.
async function sessionStart() {
  const key = 'sessionStart';
  const now = Date.now();
  const stored = (await api.storage.session.get(key))[key];
  if (Number.isFinite(stored) && stored <= now) return stored;
  await api.storage.session.set({ [key]: now });
  return now;
}

// The user's origins, from where no content script reaches; none (and said) where that
// cannot be made sure.
async function readUserOrigins() {
  try {
    await Vant3ConsentStore.keepFromContentScripts();
    return storedOrigins(await Vant3ConsentStore.readUserOrigins());
  } catch (error) {
    console.error(`Vant3: the user's allowed origins cannot be kept from content scripts, none is in effect: ${error}`);
    return [];
  }
}

async function loadSettings() {
  const [userOrigins, managed, start] = await Promise.all([
    readUserOrigins(), readManaged(), readsManagedAtOnce ? 0 : sessionStart()]);
  const { known, retryInMs } = Vant3PolicyWait.policyState({
    managed, readAtOnce: readsManagedAtOnce, sessionStart: start, now: Date.now() });
  settings = { known, userOrigins, policy: readPolicy(managed) };
  clearTimeout(settingsRetry);
  if (!known) settingsRetry = setTimeout(() => loadSettings().then(tellEveryDocument), retryInMs);
}

const allowedPage = (page) => settings.known && consentState(page, settings.userOrigins, settings.policy) === 'allowed';

function consentOf(entry) {
  if (!settings.known) return { state: 'pending' };
  if (entry.tabId === null) return { state: 'forbidden' };
  return documentConsent(entry.page, entry.ancestors, settings.userOrigins, settings.policy);
}

// Tells each document its state; a tab whose documents all stopped being allowed loses its host.
function tellEveryDocument() {
  const revoked = new Set();
  for (const entry of documents) {
    const before = entry.link.consent;
    entry.link.setConsent(consentOf(entry));
    if (before && before.state === 'allowed' && entry.link.consent.state !== 'allowed') revoked.add(entry.tabId);
  }
  for (const tabId of revoked) tabHosts.closeIfUnused(tabId);
}

const settingsLoaded = loadSettings();

// The administrator's policy reaches managed storage some seconds after start, and the user
// allows or revokes origins in the extension's pages: both arrive here.
api.storage.onChanged.addListener((changes, area) => {
  if (area === 'managed') loadSettings().then(tellEveryDocument);
});
Vant3ConsentStore.onUserOriginsChanged(() => loadSettings().then(tellEveryDocument));

// ---- tabs: their hosts and who navigated them ----------------------------------------------

const tabHosts = Vant3TabHosts.createTabHosts({
  connectHost: () => api.runtime.connectNative(HOST_NAME),
  hostError: (port) => (port.error && port.error.message) ||
    (api.runtime.lastError && api.runtime.lastError.message) || '',
});

const MARKED_TABS_KEY = 'markedTabs';
const trust = Vant3NavigationTrust.createNavigationTrust();
// Marks survive the worker's restarts within the session.
const trustLoaded = api.storage.session.get(MARKED_TABS_KEY).then((stored) => {
  trust.restore(Array.isArray(stored[MARKED_TABS_KEY]) ? stored[MARKED_TABS_KEY] : []);
});

function saveTrust() {
  api.storage.session.set({ [MARKED_TABS_KEY]: trust.marked() });
}

api.webRequest.onBeforeRequest.addListener((details) => {
  if (details.tabId < 0) return;
  const initiator = Vant3NavigationTrust.initiatorOf(details, originPage);
  if (trust.navigated(details.tabId, initiator, allowedPage)) saveTrust();
}, { urls: ['<all_urls>'], types: ['main_frame'] });

const pageLoads = Vant3PageLoads.createPageLoads();
api.webRequest.onResponseStarted.addListener((details) => {
  if (details.tabId >= 0 && !Vant3PageLoads.keepsPage(details.statusCode, details.responseHeaders)) {
    pageLoads.began(details.tabId);
  }
}, { urls: ['<all_urls>'], types: ['main_frame'] }, ['responseHeaders']);

// Firefox reports no request for the first page of a tab a page opens (window.open, a link
// with a target): who opened it is read from the opening frame itself. Until then the tab
// runs no Mode 1 list. (Chromium reports that request with its initiator, above.)
async function originOfFrame(tabId, frameId) {
  try {
    const [result] = await api.scripting.executeScript({ target: { tabId, frameIds: [frameId] }, func: () => self.origin });
    return originPage(result && result.result);
  } catch {
    return { kind: 'other' };  // a frame gone, or one the extension may not read
  }
}

if (api.webNavigation && api.webNavigation.onCreatedNavigationTarget) {
  api.webNavigation.onCreatedNavigationTarget.addListener((details) => {
    trust.checkOpener(details.tabId);
    originOfFrame(details.sourceTabId, details.sourceFrameId).then((opener) => {
      if (trust.navigated(details.tabId, opener, allowedPage)) saveTrust();
      trust.openerChecked(details.tabId);
    });
  });
}

api.tabs.onRemoved.addListener((tabId) => {
  tabHosts.closeTab(tabId);
  trust.forget(tabId);
  pageLoads.forget(tabId);
  saveTrust();
});

// ---- documents -------------------------------------------------------------------------------

function openConsentPage(origin) {
  const url = api.runtime.getURL(`consent.html?origin=${encodeURIComponent(origin)}`);
  api.tabs.create({ url });
}

const noHost = { send: () => 'タブの外の文書は印刷できません。', leave() {}, joined: false };

api.runtime.onConnect.addListener((contentPort) => {
  if (contentPort.name !== PORT_NAME || !contentPort.sender || contentPort.sender.id !== api.runtime.id) {
    contentPort.disconnect();
    return;
  }
  const sender = contentPort.sender;
  const tabId = sender.tab && Number.isInteger(sender.tab.id) && sender.tab.id >= 0 ? sender.tab.id : null;
  const doc = nextDocument++;
  const entry = { tabId, page: pageOf(sender.url, sender.origin), ancestors: null, arrival: null, link: null };
  const originName = () => (entry.page.kind === 'web' ? entry.page.origin : entry.page.kind);
  entry.link = Vant3DocumentLink.createDocumentLink({
    contentPort,
    page: entry.page,
    joinHost: (listener) => (tabId === null ? noHost : tabHosts.channel(tabId, doc, listener)),
    // Not in a tab a page nobody allowed opened or navigated; only a document loaded anew (not
    // by a reload or a move in the tab's history, which a page nobody allowed may have
    // started, nor restored); the first of its origin in the tab's page load.
    mayRunByItself: () => tabId !== null && trust.mayRunByItself(tabId) && entry.arrival === 'navigate' &&
      pageLoads.grant(tabId, originName(), doc),
    openConsentPage,
  });
  // The content script's first message says where the document sits: its own origin as
  // its document sees it, and its ancestors' origins (location.ancestorOrigins).
  contentPort.onMessage.addListener((message) => {
    if (entry.ancestors !== null || message == null || message.kind !== 'hello') return;
    entry.ancestors = ancestorPages(message.ancestors);
    // How the document came (its navigation's type, or "restored" from the back/forward cache).
    entry.arrival = typeof message.arrival === 'string' ? message.arrival : 'unknown';
    // (A web page's load began with its response; a file:// page has none.)
    if (tabId !== null && sender.frameId === 0 && entry.page.kind === 'file') pageLoads.began(tabId);
    // (A file:// document's own origin is opaque in some browsers; the browser's switch governs those.)
    if (message.origin === 'null' && entry.page.kind !== 'file') entry.page = { kind: 'opaque' };
    documents.add(entry);
    Promise.all([settingsLoaded, trustLoaded]).then(() => {
      if (documents.has(entry)) entry.link.setConsent(consentOf(entry));
    });
  });
  contentPort.onDisconnect.addListener(() => documents.delete(entry));
});

// ---- install and update ----------------------------------------------------------------------

// A browser loads the content script only into pages loaded after the extension: the tabs
// already open get it now, so that no page waits for a reload. The content script replaces
// what an earlier version of itself left.
async function bringContentScriptsToOpenTabs() {
  const declared = api.runtime.getManifest().content_scripts;
  for (const tab of await api.tabs.query({})) {
    if (!/^(https?|file):/.test(tab.url || '')) continue;
    const target = { tabId: tab.id, allFrames: true };
    try {
      for (const { css, js } of declared) {
        if (css) await api.scripting.insertCSS({ target, files: css });
        if (js) await api.scripting.executeScript({ target, files: js });
      }
    } catch {
      // a tab the browser does not let extensions script (its own pages, the web store)
    }
  }
}

api.runtime.onInstalled.addListener(() => {
  bringContentScriptsToOpenTabs();
});
