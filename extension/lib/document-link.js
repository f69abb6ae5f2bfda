// One document's link in the service worker: the content script's port on one side and,
// once the document's origin is allowed and a request comes, one native host port on the
// other (one host process per document). The host port closes when the document goes away
// or its origin stops being allowed. Loaded by the service worker and node's tests.
(function (root) {
  'use strict';

  const HOST_REQUEST_KINDS = new Set(['document', 'print', 'preview']);

  // contentPort: the runtime port of the document's content script.
  // connectHost(): opens a native messaging port to the host.
  // hostError(port): the reason a native port closed, or '' (browsers keep it in different places).
  // openConsentPage(origin): shows the extension's own page asking to allow that origin.
  function createDocumentLink({ contentPort, page, connectHost, hostError, openConsentPage }) {
    let consent = null;
    let hostPort = null;

    function closeHost() {
      if (hostPort) {
        const port = hostPort;
        hostPort = null;
        port.disconnect();
      }
    }

    function openHost() {
      const port = connectHost();
      port.onMessage.addListener((answer) => {
        if (port === hostPort) contentPort.postMessage({ kind: 'answer', body: answer });
      });
      port.onDisconnect.addListener(() => {
        if (port !== hostPort) return;  // closed on purpose
        hostPort = null;
        contentPort.postMessage({ kind: 'host-gone', message: hostError(port) || '' });
      });
      return port;
    }

    function refuse(request, message) {
      const id = request && Number.isFinite(request.id) ? request.id : null;
      contentPort.postMessage({ kind: 'answer', body: { kind: 'error', id, message } });
    }

    function onContentMessage(message) {
      if (message == null || typeof message !== 'object') return;
      if (message.kind === 'open-consent') {
        if (consent === 'ask') openConsentPage(page.origin);
        return;
      }
      if (message.kind !== 'request') return;
      const request = message.body;
      if (request == null || typeof request !== 'object' || !HOST_REQUEST_KINDS.has(request.kind)) {
        refuse(request, '不明な要求です');
        return;
      }
      if (consent !== 'allowed') {
        refuse(request, 'このサイトでの印刷は許可されていません');
        return;
      }
      if (!hostPort) hostPort = openHost();
      hostPort.postMessage(request);
    }

    contentPort.onMessage.addListener(onContentMessage);
    contentPort.onDisconnect.addListener(closeHost);

    return {
      page,
      // Tells the document whether it may print; a document no longer allowed loses its host.
      setConsent(state) {
        if (state === consent) return;
        consent = state;
        if (state !== 'allowed') closeHost();
        contentPort.postMessage({ kind: 'consent', state });
      },
      get hostOpen() { return hostPort !== null; },
    };
  }

  const api = { createDocumentLink, HOST_REQUEST_KINDS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3DocumentLink = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
