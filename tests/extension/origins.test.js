'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const o = require('../../extension/lib/origins.js');

const normalized = [
  ['https://Example.COM:443/path?q', 'https://example.com'],
  ['http://127.0.0.1:8080/', 'http://127.0.0.1:8080'],
  ['file:///tmp/a.html', null], ['chrome-extension://abc/', null], ['null', null], ['', null], [42, null],
];
for (const [text, want] of normalized) {
  test(`origin of ${JSON.stringify(text)} is ${want}`, () => assert.equal(o.normalizeOrigin(text), want));
}

const pages = [
  ['file:///tmp/a.html', 'null', { kind: 'file' }],
  ['https://a.example/x', 'https://a.example', { kind: 'web', origin: 'https://a.example' }],
  ['about:blank', 'https://parent.example', { kind: 'web', origin: 'https://parent.example' }],
  ['about:blank', 'null', { kind: 'opaque' }],
  // sandboxed: the URL is the site's, the origin is not
  ['https://a.example/upload/1.html', 'null', { kind: 'opaque' }],
  // no origin told: never taken from the URL
  ['https://a.example/x', undefined, { kind: 'other' }],
  ['data:text/html,x', undefined, { kind: 'other' }],
];
for (const [url, origin, want] of pages) {
  test(`the page ${url} (origin ${origin}) is ${want.kind}`, () => assert.deepEqual(o.pageOf(url, origin), want));
}

const web = (origin) => ({ kind: 'web', origin });
const open = o.readPolicy({});
const preset = o.readPolicy({ allowedOrigins: ['https://erp.example/'], userMayAllow: true });
const locked = o.readPolicy({ allowedOrigins: ['https://erp.example'], userMayAllow: false });
const states = [
  ['file page', { kind: 'file' }, [], open, 'allowed'],
  ['other', { kind: 'other' }, ['https://a.example'], open, 'forbidden'],
  ['unknown site asks', web('https://a.example'), [], open, 'ask'],
  ['user allowed', web('https://a.example'), ['https://a.example'], open, 'allowed'],
  ['another site stays unknown', web('https://b.example'), ['https://a.example'], open, 'ask'],
  ['preset', web('https://erp.example'), [], preset, 'allowed'],
  ['preset with user additions forbidden', web('https://erp.example'), [], locked, 'allowed'],
  ['user addition ignored when forbidden', web('https://a.example'), ['https://a.example'], locked, 'forbidden'],
  ['unknown site forbidden', web('https://b.example'), [], locked, 'forbidden'],
];
for (const [name, page, user, policy, want] of states) {
  test(`consent: ${name}`, () => assert.equal(o.consentState(page, user, policy), want));
}

test('policy values of the wrong type count as not set', () => {
  assert.deepEqual(o.readPolicy({ allowedOrigins: 'https://x.example', userMayAllow: 'no' }),
    { presetOrigins: [], userMayAllow: true });
  assert.deepEqual(o.readPolicy(null), { presetOrigins: [], userMayAllow: true });
  assert.deepEqual(o.readPolicy({ allowedOrigins: ['bad', 7, 'https://b.example', 'https://a.example/'] }).presetOrigins,
    ['https://a.example', 'https://b.example']);
});

test('the user\'s list is kept clean: normalized, once each, sorted; only web origins', () => {
  let list = o.withOrigin(undefined, 'https://b.example/');
  list = o.withOrigin(list, 'http://a.example:80');
  list = o.withOrigin(list, 'https://b.example');
  assert.deepEqual(list, ['http://a.example', 'https://b.example']);
  assert.deepEqual(o.withoutOrigin(list, 'http://a.example'), ['https://b.example']);
  assert.throws(() => o.withOrigin(list, 'file:///etc/passwd'), /not a web origin/);
  assert.deepEqual(o.storedOrigins(['javascript:alert(1)', 'https://c.example', {}]), ['https://c.example']);
});

const ancestorLists = [
  ['none (the top)', [], []],
  ['a parent and the top', ['https://a.example', 'https://top.example'], [web('https://a.example'), web('https://top.example')]],
  ['an opaque ancestor', ['null'], [{ kind: 'opaque' }]],
  ['a file page', ['file://'], [{ kind: 'file' }]],
  ['not told', undefined, [{ kind: 'other' }]],
  ['not a list', 'https://a.example', [{ kind: 'other' }]],
  ['too many', new Array(65).fill('https://a.example'), [{ kind: 'other' }]],
];
for (const [name, list, want] of ancestorLists) {
  test(`ancestors: ${name}`, () => assert.deepEqual(o.ancestorPages(list), want));
}

const allowedA = ['https://a.example', 'https://top.example'];
const documents = [
  ['an allowed top page', web('https://a.example'), [], allowedA, open, { state: 'allowed' }],
  ['an allowed frame in an allowed page', web('https://a.example'), [web('https://top.example')], allowedA, open, { state: 'allowed' }],
  ['an allowed frame in a page nobody allowed', web('https://a.example'), [web('https://evil.example')], allowedA, open,
    { state: 'framed', origin: 'https://evil.example' }],
  ['an allowed frame two levels under a page nobody allowed', web('https://a.example'),
    [web('https://top.example'), web('https://evil.example')], allowedA, open, { state: 'framed', origin: 'https://evil.example' }],
  ['an allowed frame in a sandboxed page', web('https://a.example'), [{ kind: 'opaque' }], allowedA, open,
    { state: 'framed', origin: null }],
  ['a frame whose ancestors cannot be told', web('https://a.example'), o.ancestorPages(undefined), allowedA, open,
    { state: 'framed', origin: null }],
  ['a sandboxed document of an allowed site', { kind: 'opaque' }, [], allowedA, open, { state: 'opaque' }],
  ['an unknown frame in an allowed page asks', web('https://b.example'), [web('https://a.example')], allowedA, open, { state: 'ask' }],
  ['a user-allowed top page under a locking policy', web('https://a.example'), [], allowedA, locked, { state: 'forbidden' }],
  ['a file page in a file page', { kind: 'file' }, [{ kind: 'file' }], [], open, { state: 'allowed' }],
];
for (const [name, page, ancestors, user, policy, want] of documents) {
  test(`document: ${name}`, () => assert.deepEqual(o.documentConsent(page, ancestors, user, policy), want));
}
