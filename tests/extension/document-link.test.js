'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createDocumentLink } = require('../../extension/lib/document-link.js');
const { createTabHosts } = require('../../extension/lib/tab-hosts.js');
const { fakePort } = require('./fake-port.js');

// Documents of tabs, linked through one set of tab hosts over fake native ports.
function setUp({ maxHosts } = {}) {
  const natives = [];
  const consentPages = [];
  const hosts = createTabHosts({
    connectHost: () => { const p = fakePort(); natives.push(p); return p; },
    hostError: (port) => port.error || '',
    maxHosts,
  });
  let nextDoc = 1;
  const open = ({ tab = 1, page = { kind: 'web', origin: 'https://a.example' }, runs = true } = {}) => {
    const content = fakePort();
    const doc = nextDoc++;
    const link = createDocumentLink({
      contentPort: content, page,
      joinHost: (listener) => hosts.channel(tab, doc, listener),
      mayRunByItself: () => runs,
      openConsentPage: (origin) => consentPages.push(origin),
    });
    return { content, link, doc };
  };
  return { natives, consentPages, hosts, open };
}

const request = (body) => ({ kind: 'request', body });
const refusal = (id, message) => ({ kind: 'answer', body: { kind: 'error', id, message } });
const allowed = { state: 'allowed' };

const refusals = [
  ['no consent yet', null, { kind: 'print', id: 3, key: 0 }, refusal(3, 'このサイトでの印刷は許可されていません')],
  ['origin not allowed', 'ask', { kind: 'document', id: 1, objects: [] }, refusal(1, 'このサイトでの印刷は許可されていません')],
  ['forbidden', 'forbidden', { kind: 'preview', id: 2, key: 0 }, refusal(2, 'このサイトでの印刷は許可されていません')],
  ['framed by a page nobody allowed', 'framed', { kind: 'document', id: 2, objects: [] }, refusal(2, 'このサイトでの印刷は許可されていません')],
  ['sandboxed', 'opaque', { kind: 'print', id: 2, key: 0 }, refusal(2, 'このサイトでの印刷は許可されていません')],
  ['the policy not known yet', 'pending', { kind: 'document', id: 2, objects: [] }, refusal(2, 'このサイトでの印刷は許可されていません')],
  ['an unknown kind', 'allowed', { kind: 'register', id: 4 }, refusal(4, '不明な要求です')],
  ['not an object', 'allowed', 'print', refusal(null, '不明な要求です')],
];
for (const [name, state, body, want] of refusals) {
  test(`refused without a host: ${name}`, () => {
    const { natives, open } = setUp();
    const { content, link } = open();
    if (state) link.setConsent({ state });
    content.receive(request(body));
    assert.deepEqual(content.posted.at(-1), want);
    assert.equal(natives.length, 0);
  });
}

test('the documents of one tab share its host; each gets the answers to its own requests', () => {
  const { natives, open } = setUp();
  const top = open({ tab: 7 });
  const frame = open({ tab: 7, page: { kind: 'web', origin: 'https://b.example' }, runs: false });
  for (const d of [top, frame]) d.link.setConsent(allowed);
  top.content.receive(request({ kind: 'document', id: 1, objects: [] }));
  frame.content.receive(request({ kind: 'document', id: 1, objects: [], origin: 'https://evil.example', autoRun: true }));
  top.content.receive(request({ kind: 'print', id: 2, key: 0, doc: 99 }));
  assert.equal(natives.length, 1);
  // Tagged by the extension: the page's own values never reach the host.
  assert.deepEqual(natives[0].posted, [
    { kind: 'document', id: 1, objects: [], origin: 'https://a.example', autoRun: true, doc: top.doc },
    { kind: 'document', id: 1, objects: [], origin: 'https://b.example', autoRun: false, doc: frame.doc },
    { kind: 'print', id: 2, key: 0, doc: top.doc },
  ]);
  // The host answers in order: each answer goes to the document that asked.
  natives[0].receive({ kind: 'document', id: 1, controls: ['top'] });
  natives[0].receive({ kind: 'document', id: 1, controls: ['frame'] });
  natives[0].receive({ kind: 'print', id: 2, outcome: {} });
  const answers = (d) => d.content.posted.filter((m) => m.kind === 'answer').map((m) => m.body);
  assert.deepEqual(answers(top), [{ kind: 'document', id: 1, controls: ['top'] }, { kind: 'print', id: 2, outcome: {} }]);
  assert.deepEqual(answers(frame), [{ kind: 'document', id: 1, controls: ['frame'] }]);
});

test('other tabs have hosts of their own', () => {
  const { natives, open } = setUp();
  for (const tab of [1, 2, 1]) {
    const d = open({ tab });
    d.link.setConsent(allowed);
    d.content.receive(request({ kind: 'document', id: 1, objects: [] }));
  }
  assert.equal(natives.length, 2);
  assert.equal(natives[0].posted.length, 2);
});

test('a document that goes tells the host and its late answers go nowhere; the host stays for the tab', () => {
  const { natives, hosts, open } = setUp();
  const first = open();
  first.link.setConsent(allowed);
  first.content.receive(request({ kind: 'document', id: 1, objects: [] }));
  first.content.close();  // a reload: the document goes before its answer came
  assert.deepEqual(natives[0].posted.at(-1), { kind: 'gone', id: 0, doc: first.doc });
  assert.equal(natives[0].disconnected, false);
  assert.equal(hosts.hasHost(1), true);
  const second = open();
  second.link.setConsent(allowed);
  second.content.receive(request({ kind: 'document', id: 1, objects: [] }));
  natives[0].receive({ kind: 'document', id: 1, controls: ['old'] });
  natives[0].receive({ kind: 'gone', id: 0 });
  natives[0].receive({ kind: 'document', id: 1, controls: ['new'] });
  assert.equal(first.content.posted.filter((m) => m.kind === 'answer').length, 0);
  assert.deepEqual(second.content.posted.at(-1), { kind: 'answer', body: { kind: 'document', id: 1, controls: ['new'] } });
  assert.equal(natives.length, 1, 'the reloaded page reaches the same host');
});

test('a document no longer allowed leaves the host; a tab left with none loses it', () => {
  const { natives, hosts, open } = setUp();
  const d = open();
  d.link.setConsent(allowed);
  d.content.receive(request({ kind: 'document', id: 1, objects: [] }));
  d.link.setConsent({ state: 'ask' });
  assert.deepEqual(natives[0].posted.at(-1), { kind: 'gone', id: 0, doc: d.doc });
  assert.deepEqual(d.content.posted.at(-1), { kind: 'consent', state: 'ask', origin: null });
  hosts.closeIfUnused(1);
  assert.equal(natives[0].disconnected, true);
  // Allowed again, the next request starts a new host; nothing said of the old one.
  d.link.setConsent(allowed);
  d.content.receive(request({ kind: 'document', id: 2, objects: [] }));
  assert.equal(natives.length, 2);
  assert.equal(d.content.posted.filter((m) => m.kind === 'host-gone').length, 0);
});

test('a host that ends on its own is reported to every document of its tab, and the next request reopens', () => {
  const { natives, open } = setUp();
  const docs = [open(), open()];
  for (const d of docs) {
    d.link.setConsent(allowed);
    d.content.receive(request({ kind: 'document', id: 1, objects: [] }));
  }
  natives[0].error = 'Native host has exited.';
  natives[0].close();
  for (const d of docs) assert.deepEqual(d.content.posted.at(-1), { kind: 'host-gone', message: 'Native host has exited.' });
  docs[0].content.receive(request({ kind: 'print', id: 2, key: 0 }));
  assert.equal(natives.length, 2);
});

test('the consent page opens only for a document that may ask', () => {
  for (const [state, want] of [['ask', ['https://a.example']], ['forbidden', []], ['framed', []], ['opaque', []],
    ['pending', []], ['allowed', []], [null, []]]) {
    const { consentPages, open } = setUp();
    const { content, link } = open();
    if (state) link.setConsent({ state });
    content.receive({ kind: 'open-consent' });
    assert.deepEqual(consentPages, want, `state ${state}`);
  }
});

test('the same consent twice is told once; the framing origin is told with it', () => {
  const { open } = setUp();
  const { content, link } = open();
  link.setConsent({ state: 'framed', origin: 'https://evil.example' });
  link.setConsent({ state: 'framed', origin: 'https://evil.example' });
  link.setConsent({ state: 'framed', origin: 'https://other.example' });
  assert.deepEqual(content.posted, [
    { kind: 'consent', state: 'framed', origin: 'https://evil.example' },
    { kind: 'consent', state: 'framed', origin: 'https://other.example' },
  ]);
});

test('a file page is tagged as such', () => {
  const { natives, open } = setUp();
  const d = open({ page: { kind: 'file' } });
  d.link.setConsent(allowed);
  d.content.receive(request({ kind: 'document', id: 1, objects: [] }));
  assert.equal(natives[0].posted[0].origin, 'file');
});
