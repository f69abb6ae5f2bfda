'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { initiatorOf, createNavigationTrust } = require('../../extension/lib/navigation-trust.js');
const { originPage } = require('../../extension/lib/origins.js');

const web = (origin) => ({ kind: 'web', origin });
const initiators = [
  ['Chromium: a page', { initiator: 'https://evil.example' }, web('https://evil.example')],
  ['Chromium: a sandboxed page', { initiator: 'null' }, { kind: 'opaque' }],
  ['Firefox: a page', { originUrl: 'https://evil.example/open.html?x' }, web('https://evil.example')],
  ['Firefox: a file page', { originUrl: 'file:///tmp/a.html' }, { kind: 'file' }],
  ['Firefox: no URL', { originUrl: 'not a url' }, { kind: 'other' }],
  ['the user', {}, null],
];
for (const [name, details, want] of initiators) {
  test(`initiator: ${name}`, () => assert.deepEqual(initiatorOf(details, originPage), want));
}

const allowed = (page) => page.kind === 'file' || (page.kind === 'web' && page.origin === 'https://a.example');
const histories = [
  ['typed by the user', [null], true],
  ['a link of an allowed page', [null, web('https://a.example')], true],
  ['opened by a page nobody allowed', [web('https://evil.example')], false],
  ['a popup navigated again and again by its opener', [web('https://evil.example'), web('https://evil.example')], false],
  ['navigated by a sandboxed page', [{ kind: 'opaque' }], false],
  ['a later navigation by the user does not clear the mark', [web('https://evil.example'), null, web('https://a.example')], false],
  ['a file page', [{ kind: 'file' }], true],
];
for (const [name, initiators_, mayRun] of histories) {
  test(`tab ${name}: runs by itself ${mayRun}`, () => {
    const trust = createNavigationTrust();
    for (const initiator of initiators_) trust.navigated(3, initiator, allowed);
    assert.equal(trust.mayRunByItself(3), mayRun);
    assert.equal(trust.mayRunByItself(4), true, 'another tab');
  });
}

test('marks survive a restart and go with their tab', () => {
  const trust = createNavigationTrust();
  assert.equal(trust.navigated(1, web('https://evil.example'), allowed), true);
  assert.equal(trust.navigated(1, web('https://evil.example'), allowed), false, 'marked already');
  const restarted = createNavigationTrust();
  restarted.restore([...trust.marked(), 'x']);
  assert.deepEqual(restarted.marked(), [1]);
  restarted.forget(1);
  assert.equal(restarted.mayRunByItself(1), true);
});

test('a tab whose opener is being looked up runs no Mode 1 list until it is known', () => {
  for (const [opener, mayRun] of [[web('https://a.example'), true], [web('https://evil.example'), false]]) {
    const trust = createNavigationTrust();
    trust.checkOpener(9);
    assert.equal(trust.mayRunByItself(9), false);
    trust.navigated(9, opener, allowed);
    trust.openerChecked(9);
    assert.equal(trust.mayRunByItself(9), mayRun, JSON.stringify(opener));
  }
  const closed = createNavigationTrust();
  closed.checkOpener(9);
  closed.forget(9);
  assert.equal(closed.mayRunByItself(9), true);
});
