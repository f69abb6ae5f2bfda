// The service worker (Chromium) or background script (Firefox): links each document that
// holds OBJECT elements to a native host process of its own, and keeps every document told
// whether its origin is allowed to print.
'use strict';

if (typeof importScripts === 'function' && typeof Vant3Origins === 'undefined') {
  importScripts('lib/origins.js', 'lib/document-link.js');
}

const api = typeof browser !== 'undefined' ? browser : chrome;
const HOST_NAME = 'vant3.host';
const PORT_NAME = 'vant3-document';

const links = new Set();
let userOrigins = [];
let policy = Vant3Origins.readPolicy({});

// Managed storage throws where no policy schema or policy exists (Firefox without a policy).
async function readManaged() {
  try {
    return await api.storage.managed.get(null);
  } catch {
    return {};
  }
}

async function loadSettings() {
  const [local, managed] = await Promise.all([
    api.storage.local.get(Vant3Origins.USER_ORIGINS_KEY), readManaged()]);
  userOrigins = Vant3Origins.storedOrigins(local[Vant3Origins.USER_ORIGINS_KEY]);
  policy = Vant3Origins.readPolicy(managed);
}

function tellEveryDocument() {
  for (const link of links) {
    link.setConsent(Vant3Origins.consentState(link.page, userOrigins, policy));
  }
}

const settingsLoaded = loadSettings();

// The administrator's policy reaches managed storage some seconds after start, and the user
// allows or revokes origins in the extension's pages: both arrive here.
api.storage.onChanged.addListener((changes, area) => {
  if (area !== 'local' && area !== 'managed') return;
  loadSettings().then(tellEveryDocument);
});

function openConsentPage(origin) {
  const url = api.runtime.getURL(`consent.html?origin=${encodeURIComponent(origin)}`);
  api.tabs.create({ url });
}

api.runtime.onConnect.addListener((contentPort) => {
  if (contentPort.name !== PORT_NAME || !contentPort.sender || contentPort.sender.id !== api.runtime.id) {
    contentPort.disconnect();
    return;
  }
  const sender = contentPort.sender;
  const link = Vant3DocumentLink.createDocumentLink({
    contentPort,
    page: Vant3Origins.pageOf(sender.url, sender.origin),
    connectHost: () => api.runtime.connectNative(HOST_NAME),
    hostError: (port) => (port.error && port.error.message) ||
      (api.runtime.lastError && api.runtime.lastError.message) || '',
    openConsentPage,
  });
  links.add(link);
  contentPort.onDisconnect.addListener(() => links.delete(link));
  settingsLoaded.then(() => link.setConsent(Vant3Origins.consentState(link.page, userOrigins, policy)));
});
