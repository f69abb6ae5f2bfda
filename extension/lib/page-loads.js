// The automatic runs of a tab, bounded per top-level page load: in each, the first document
// of an origin to send its controls may run its Mode 1 list by itself; the documents of that
// origin that come after it in the same page load (frames added or reloaded later, however
// many) run none. A page load begins when the tab's top-level navigation has its response
// (not one answered "204 No Content" or "205" or as a download, which leave the page as it
// was), or, for a file:// page, which has no response, when its top document links.
// Loaded by the service worker and node's tests.
(function (root) {
  'use strict';

  // A top-level response that leaves the tab's page as it was: no new page load.
  function keepsPage(statusCode, responseHeaders) {
    if (statusCode === 204 || statusCode === 205) return true;
    return (responseHeaders || []).some((header) => typeof header.name === 'string' &&
      header.name.toLowerCase() === 'content-disposition' && /^\s*attachment/i.test(String(header.value)));
  }

  function createPageLoads() {
    const tabs = new Map();  // tabId -> Map(origin -> the document granted its run)
    return {
      began(tabId) { tabs.set(tabId, new Map()); },
      // Whether document doc of origin (a text naming it) may run by itself in the tab's page
      // load; the first to ask for its origin is granted, and stays so.
      grant(tabId, origin, doc) {
        if (!tabs.has(tabId)) tabs.set(tabId, new Map());
        const granted = tabs.get(tabId);
        if (!granted.has(origin)) granted.set(origin, doc);
        return granted.get(origin) === doc;
      },
      forget(tabId) { tabs.delete(tabId); },
      // (Not kept across restarts of the service worker: a tab's native host keeps it running.)
    };
  }

  const api = { createPageLoads, keepsPage };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3PageLoads = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
