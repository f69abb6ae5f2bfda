'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createDocumentLink } = require('../../extension/lib/document-link.js');

// A port as the browser hands it out: listeners, what was posted, and whether it was closed.
function fakePort() {
  const listeners = { message: [], disconnect: [] };
  return {
    posted: [],
    disconnected: false,
    onMessage: { addListener: (f) => listeners.message.push(f) },
    onDisconnect: { addListener: (f) => listeners.disconnect.push(f) },
    postMessage(m) { this.posted.push(structuredClone(m)); },
    disconnect() { this.disconnected = true; },
    // the other side speaks or goes away
    receive(m) { for (const f of listeners.message) f(m); },
    close() { for (const f of listeners.disconnect) f(this); },
  };
}

function setUp() {
  const content = fakePort();
  const hosts = [];
  const consentPages = [];
  const link = createDocumentLink({
    contentPort: content,
    page: { kind: 'web', origin: 'https://a.example' },
    connectHost: () => { const p = fakePort(); hosts.push(p); return p; },
    hostError: (port) => port.error || '',
    openConsentPage: (origin) => consentPages.push(origin),
  });
  return { content, hosts, consentPages, link };
}

const request = (body) => ({ kind: 'request', body });
const refusal = (id, message) => ({ kind: 'answer', body: { kind: 'error', id, message } });

const refusals = [
  ['no consent yet', null, { kind: 'print', id: 3, key: 0 }, refusal(3, 'このサイトでの印刷は許可されていません')],
  ['origin not allowed', 'ask', { kind: 'document', id: 1, objects: [] }, refusal(1, 'このサイトでの印刷は許可されていません')],
  ['forbidden', 'forbidden', { kind: 'preview', id: 2, key: 0 }, refusal(2, 'このサイトでの印刷は許可されていません')],
  ['an unknown kind', 'allowed', { kind: 'register', id: 4 }, refusal(4, '不明な要求です')],
  ['not an object', 'allowed', 'print', refusal(null, '不明な要求です')],
];
for (const [name, consent, body, want] of refusals) {
  test(`refused without a host: ${name}`, () => {
    const { content, hosts, link } = setUp();
    if (consent) link.setConsent(consent);
    content.receive(request(body));
    assert.deepEqual(content.posted.at(-1), want);
    assert.equal(hosts.length, 0);
  });
}

test('an allowed document gets one host that carries requests and answers both ways', () => {
  const { content, hosts, link } = setUp();
  link.setConsent('allowed');
  assert.deepEqual(content.posted, [{ kind: 'consent', state: 'allowed' }]);
  content.receive(request({ kind: 'document', id: 1, objects: [] }));
  content.receive(request({ kind: 'print', id: 2, key: 0 }));
  assert.equal(hosts.length, 1);
  assert.deepEqual(hosts[0].posted, [{ kind: 'document', id: 1, objects: [] }, { kind: 'print', id: 2, key: 0 }]);
  hosts[0].receive({ kind: 'print', id: 2, outcome: { printed: [] } });
  assert.deepEqual(content.posted.at(-1), { kind: 'answer', body: { kind: 'print', id: 2, outcome: { printed: [] } } });
});

test('the host closes when the document goes away', () => {
  const { content, hosts, link } = setUp();
  link.setConsent('allowed');
  content.receive(request({ kind: 'document', id: 1, objects: [] }));
  content.close();
  assert.equal(hosts[0].disconnected, true);
  assert.equal(link.hostOpen, false);
});

test('a revoked origin loses its host; allowed again, the next request starts a new one', () => {
  const { content, hosts, link } = setUp();
  link.setConsent('allowed');
  content.receive(request({ kind: 'document', id: 1, objects: [] }));
  link.setConsent('ask');
  assert.equal(hosts[0].disconnected, true);
  assert.deepEqual(content.posted.at(-1), { kind: 'consent', state: 'ask' });
  link.setConsent('allowed');
  content.receive(request({ kind: 'document', id: 2, objects: [] }));
  assert.equal(hosts.length, 2);
  assert.equal(content.posted.filter((m) => m.kind === 'host-gone').length, 0);
});

test('a host that ends on its own is reported with the browser\'s reason, and the next request reopens', () => {
  const { content, hosts, link } = setUp();
  link.setConsent('allowed');
  content.receive(request({ kind: 'document', id: 1, objects: [] }));
  hosts[0].error = 'Native host has exited.';
  hosts[0].close();
  assert.deepEqual(content.posted.at(-1), { kind: 'host-gone', message: 'Native host has exited.' });
  content.receive(request({ kind: 'print', id: 2, key: 0 }));
  assert.equal(hosts.length, 2);
});

test('the consent page opens only for an origin the user may allow', () => {
  for (const [state, want] of [['ask', ['https://a.example']], ['forbidden', []], ['allowed', []], [null, []]]) {
    const { content, consentPages, link } = setUp();
    if (state) link.setConsent(state);
    content.receive({ kind: 'open-consent' });
    assert.deepEqual(consentPages, want, `state ${state}`);
  }
});

test('the same consent twice is told once', () => {
  const { content, link } = setUp();
  link.setConsent('ask');
  link.setConsent('ask');
  assert.equal(content.posted.length, 1);
});
