// Which tabs may print a Mode 1 list by themselves. A page nobody allowed must not make an
// allowed page print unasked by opening it (window.open, a link with a target) or by
// navigating a tab it can reach (its opener, a popup it opened, its top from a frame): the
// browser tells who started each top-level navigation, and a tab one of them started is
// marked. A marked tab runs no Mode 1 list for the rest of its life (its buttons still print
// on the user's click): a later navigation cannot clear the mark, since a page can make one
// look like the user's (history.back() from a page of its own). The user opens a new tab.
// Loaded by the service worker and node's tests.
(function (root) {
  'use strict';

  // Who started a navigation, from the browser's webRequest details: Chromium gives the
  // origin as "initiator" ("null" when opaque), Firefox the document's URL as "originUrl".
  // null: neither, the user (or the browser) started it.
  function initiatorOf(details, originPage) {
    if (typeof details.initiator === 'string') return originPage(details.initiator);
    if (typeof details.originUrl === 'string') {
      if (details.originUrl.startsWith('file:')) return { kind: 'file' };
      try {
        return originPage(new URL(details.originUrl).origin);
      } catch {
        return { kind: 'other' };
      }
    }
    return null;
  }

  function createNavigationTrust() {
    const marked = new Set();
    const checking = new Set();  // tabs whose opener is being looked up
    return {
      // A top-level navigation of the tab, started by initiator (a page, or null for the
      // user); allowed(page) tells whether that page may print. True when it marked the tab.
      navigated(tabId, initiator, allowed) {
        if (initiator === null || marked.has(tabId) || allowed(initiator)) return false;
        marked.add(tabId);
        return true;
      },
      mayRunByItself: (tabId) => !marked.has(tabId) && !checking.has(tabId),
      // A page opened the tab and who it was is not known yet: no Mode 1 list runs meanwhile.
      checkOpener(tabId) { checking.add(tabId); },
      openerChecked(tabId) { checking.delete(tabId); },
      // Marks kept from before a restart of the service worker.
      restore(tabIds) {
        for (const tabId of tabIds) if (Number.isInteger(tabId)) marked.add(tabId);
      },
      forget(tabId) {
        marked.delete(tabId);
        checking.delete(tabId);
      },
      // The marked tabs, to keep across restarts of the service worker.
      marked: () => [...marked],
    };
  }

  const api = { initiatorOf, createNavigationTrust };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3NavigationTrust = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
