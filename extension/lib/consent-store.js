// Where the user's allowed origins are kept: where only the extension's own pages (the
// consent page adds, the options page revokes) and its service worker reach, never a content
// script, whose world is what a compromised renderer of a page gets. Chromium: storage.local,
// which the service worker sets to TRUSTED_CONTEXTS (content scripts can then neither read
// nor write it). Firefox, whose content scripts always reach storage.local: the extension
// origin's own IndexedDB, with a BroadcastChannel of that origin telling the other pages and
// the background of a change. The list once kept in storage.local under "allowedOrigins",
// which content scripts could write, is not read. Loaded by the service worker and the pages.
(function (root) {
  'use strict';
  const api = typeof browser !== 'undefined' ? browser : chrome;
  const KEY = 'userOrigins';
  const inFirefox = typeof browser !== 'undefined' && typeof browser.runtime.getBrowserInfo === 'function';

  // ---- Chromium: storage.local, trusted contexts only ----------------------------------------

  // The service worker's first step: the setting persists, and until it holds the list is
  // not read (a refusal is the error the list's readers get).
  let trusted = null;
  function keepFromContentScripts() {
    if (!trusted) trusted = inFirefox ? Promise.resolve() : api.storage.local.setAccessLevel({ accessLevel: 'TRUSTED_CONTEXTS' });
    return trusted;
  }

  // ---- Firefox: the extension origin's IndexedDB ----------------------------------------------

  const DB = 'vant3-consent';
  const STORE = 'consent';
  const channel = inFirefox ? new BroadcastChannel('vant3-consent') : null;
  const listeners = [];  // this page's own (a channel does not tell its own messages back)

  function openDb() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open(DB, 1);
      request.onupgradeneeded = () => request.result.createObjectStore(STORE);
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  async function inDb(mode, step) {
    const db = await openDb();
    try {
      return await new Promise((resolve, reject) => {
        const transaction = db.transaction(STORE, mode);
        const request = step(transaction.objectStore(STORE));
        transaction.oncomplete = () => resolve(request.result);
        transaction.onerror = () => reject(transaction.error);
        transaction.onabort = () => reject(transaction.error);
      });
    } finally {
      db.close();
    }
  }

  // ---- the list ----------------------------------------------------------------------------------

  // What the store holds under the list's key (not yet cleaned).
  async function readUserOrigins() {
    if (inFirefox) return inDb('readonly', (store) => store.get(KEY));
    return (await api.storage.local.get(KEY))[KEY];
  }

  async function writeUserOrigins(origins) {
    if (!inFirefox) {
      await api.storage.local.set({ [KEY]: origins });
      return;
    }
    await inDb('readwrite', (store) => store.put(origins, KEY));
    channel.postMessage('changed');
    for (const listener of listeners) listener();
  }

  function onUserOriginsChanged(listener) {
    if (inFirefox) {
      listeners.push(listener);
      channel.addEventListener('message', () => listener());
    }
    else api.storage.onChanged.addListener((changes, area) => { if (area === 'local' && KEY in changes) listener(); });
  }

  root.Vant3ConsentStore = { keepFromContentScripts, readUserOrigins, writeUserOrigins, onUserOriginsChanged };
})(globalThis);
