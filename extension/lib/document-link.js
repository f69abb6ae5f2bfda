// One document's link in the service worker: the content script's port on one side and, once
// the document may print and a request comes, its tab's native host on the other (through
// Vant3TabHosts: one host serves every document of a tab). The document leaves its host when
// it goes away or stops being allowed. Loaded by the service worker and node's tests.
(function (root) {
  'use strict';

  const HOST_REQUEST_KINDS = new Set(['document', 'print', 'preview']);

  // contentPort: the runtime port of the document's content script.
  // page: where the document is (Vant3Origins.pageOf).
  // joinHost(listener): the document's channel to its tab's host (Vant3TabHosts channel).
  // mayRunByItself(): whether the document's Mode 1 list may print unasked now.
  // openConsentPage(origin): shows the extension's own page asking to allow that origin.
  function createDocumentLink({ contentPort, page, joinHost, mayRunByItself, openConsentPage }) {
    let consent = null;  // { state, origin } as told to the document
    const host = joinHost({
      onAnswer: (answer) => contentPort.postMessage({ kind: 'answer', body: answer }),
      onGone: (message) => contentPort.postMessage({ kind: 'host-gone', message }),
    });

    function refuse(request, message) {
      const id = request && Number.isFinite(request.id) ? request.id : null;
      contentPort.postMessage({ kind: 'answer', body: { kind: 'error', id, message } });
    }

    // What the host is told besides what the content script sent: the page never sets these.
    function outgoing(request) {
      if (request.kind !== 'document') return { ...request };
      return { ...request, origin: page.kind === 'web' ? page.origin : page.kind, autoRun: Boolean(mayRunByItself()) };
    }

    function onContentMessage(message) {
      if (message == null || typeof message !== 'object') return;
      if (message.kind === 'open-consent') {
        if (consent && consent.state === 'ask') openConsentPage(page.origin);
        return;
      }
      if (message.kind !== 'request') return;
      const request = message.body;
      if (request == null || typeof request !== 'object' || !HOST_REQUEST_KINDS.has(request.kind)) {
        refuse(request, '不明な要求です');
        return;
      }
      if (!consent || consent.state !== 'allowed') {
        refuse(request, 'このサイトでの印刷は許可されていません');
        return;
      }
      const refused = host.send(outgoing(request));
      if (refused) contentPort.postMessage({ kind: 'host-gone', message: refused });
    }

    contentPort.onMessage.addListener(onContentMessage);
    contentPort.onDisconnect.addListener(() => host.leave());

    return {
      page,
      // Tells the document what it may do ({ state, origin }); a document no longer allowed
      // leaves its host.
      setConsent(next) {
        const origin = next.origin === undefined ? null : next.origin;
        if (consent && consent.state === next.state && consent.origin === origin) return;
        consent = { state: next.state, origin };
        if (next.state !== 'allowed') host.leave();
        contentPort.postMessage({ kind: 'consent', state: next.state, origin });
      },
      get consent() { return consent; },
      get hostJoined() { return host.joined; },
    };
  }

  const api = { createDocumentLink, HOST_REQUEST_KINDS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3DocumentLink = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
