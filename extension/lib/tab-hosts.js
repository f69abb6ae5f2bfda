// One native host process per browser tab. Every document of the tab that may print reaches
// the tab's host through it: its requests go out tagged with the document's number, and the
// answers, which the host gives one for each request and in order, come back to the
// document that asked. A tab's host lives as long as the tab, so that a reload finds the
// control's state as the last page left it, unless the host ends, the extension closes it
// (its documents' origin revoked), or it must make room: at most maxHosts run at once; the
// one used longest ago that serves no document makes way, and while every host serves a
// document a further tab gets none. A page cannot raise the bound: its frames and the pages
// it opens in the same tab share that tab's host. Loaded by the service worker and node's tests.
(function (root) {
  'use strict';

  const MAX_HOSTS = 16;

  // connectHost(): opens a native messaging port to the host.
  // hostError(port): the reason a native port closed, or '' (browsers keep it in different places).
  function createTabHosts({ connectHost, hostError, maxHosts = MAX_HOSTS, now = () => Date.now() }) {
    const hosts = new Map();  // tab id -> { port, documents: Map(doc -> listener), waiting: [doc or null], usedAt }

    function disconnect(tabId, host) {
      hosts.delete(tabId);
      host.port.disconnect();
    }

    // The idle host used longest ago, to make way for a new one; none when all serve documents.
    function idleHost() {
      let oldest = null;
      for (const [tabId, host] of hosts) {
        if (host.documents.size === 0 && (!oldest || host.usedAt < oldest.host.usedAt)) oldest = { tabId, host };
      }
      return oldest;
    }

    function open(tabId) {
      if (hosts.size >= maxHosts) {
        const idle = idleHost();
        if (!idle) return null;
        disconnect(idle.tabId, idle.host);
      }
      const host = { port: connectHost(), documents: new Map(), waiting: [], usedAt: now() };
      host.port.onMessage.addListener((answer) => {
        if (hosts.get(tabId) !== host) return;
        const doc = host.waiting.shift();
        const listener = doc == null ? null : host.documents.get(doc);
        if (listener) listener.onAnswer(answer);
      });
      host.port.onDisconnect.addListener(() => {
        if (hosts.get(tabId) !== host) return;  // closed on purpose
        hosts.delete(tabId);
        const message = hostError(host.port) || '';
        for (const listener of host.documents.values()) listener.onGone(message);
      });
      hosts.set(tabId, host);
      return host;
    }

    // One document's way to its tab's host: listener.onAnswer(answer) for each answer to its
    // requests, listener.onGone(message) when the host ended by itself.
    function channel(tabId, doc, listener) {
      return {
        // Sends a request; returns '' when sent, or why it could not be.
        send(request) {
          const host = hosts.get(tabId) || open(tabId);
          if (!host) return `印刷ホストの数が上限 (${maxHosts} 個) に達しています。使っていないタブを閉じてください。`;
          host.documents.set(doc, listener);
          host.usedAt = now();
          host.port.postMessage({ ...request, doc });
          host.waiting.push(doc);
          return '';
        },
        // The document has gone, or may no longer print: the host lets its controls go, and
        // answers still on their way are dropped.
        leave() {
          const host = hosts.get(tabId);
          if (!host || !host.documents.delete(doc)) return;
          host.port.postMessage({ kind: 'gone', id: 0, doc });
          host.waiting.push(null);
        },
        get joined() { return hosts.has(tabId) && hosts.get(tabId).documents.has(doc); },
      };
    }

    return {
      channel,
      // The tab has closed.
      closeTab(tabId) {
        const host = hosts.get(tabId);
        if (host) disconnect(tabId, host);
      },
      // Closes the tab's host when it serves no document any more (an origin was revoked).
      closeIfUnused(tabId) {
        const host = hosts.get(tabId);
        if (host && host.documents.size === 0) disconnect(tabId, host);
      },
      hasHost: (tabId) => hosts.has(tabId),
      get count() { return hosts.size; },
    };
  }

  const api = { createTabHosts, MAX_HOSTS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3TabHosts = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
