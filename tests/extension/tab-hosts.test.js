'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createTabHosts, MAX_HOSTS } = require('../../extension/lib/tab-hosts.js');
const { fakePort } = require('./fake-port.js');

function setUp(maxHosts) {
  const natives = [];
  let clock = 0;
  const hosts = createTabHosts({
    connectHost: () => { const p = fakePort(); natives.push(p); return p; },
    hostError: () => '',
    maxHosts,
    now: () => clock++,
  });
  const listener = () => ({ answers: [], gone: [], onAnswer(a) { this.answers.push(a); }, onGone(m) { this.gone.push(m); } });
  return { natives, hosts, listener };
}

test('however many frames a tab has, it has one host', () => {
  const { natives, hosts, listener } = setUp();
  for (let doc = 1; doc <= 48; doc += 1) assert.equal(hosts.channel(5, doc, listener()).send({ kind: 'document', id: 1 }), '');
  assert.equal(natives.length, 1);
  assert.equal(hosts.count, 1);
});

test('at most the bound of hosts run; an idle one makes way, the one used longest ago first', () => {
  const { natives, hosts, listener } = setUp(3);
  const channels = [1, 2, 3].map((tab) => hosts.channel(tab, tab, listener()));
  for (const c of channels) c.send({ kind: 'document', id: 1 });
  // Every host serves a document: a fourth tab gets none, and is told why.
  const refused = hosts.channel(4, 4, listener()).send({ kind: 'document', id: 1 });
  assert.match(refused, /上限 \(3 個\)/);
  assert.equal(natives.length, 3);
  // Tabs 2 and 1 go idle (their pages went), 2 after 1: tab 1's host makes way.
  channels[0].leave();
  channels[1].leave();
  assert.equal(hosts.channel(4, 4, listener()).send({ kind: 'document', id: 1 }), '');
  assert.deepEqual(natives.map((p) => p.disconnected), [true, false, false, false]);
  assert.deepEqual([1, 2, 3, 4].map(hosts.hasHost), [false, true, true, true]);
  assert.equal(hosts.count, 3);
});

test('the default bound', () => {
  const { hosts, listener } = setUp();
  for (let tab = 0; tab < MAX_HOSTS; tab += 1) assert.equal(hosts.channel(tab, tab, listener()).send({ kind: 'document', id: 1 }), '');
  assert.notEqual(hosts.channel(MAX_HOSTS, 99, listener()).send({ kind: 'document', id: 1 }), '');
});

test('a closed tab closes its host without telling its documents; a host closed on purpose says nothing', () => {
  const { natives, hosts, listener } = setUp();
  const l = listener();
  hosts.channel(1, 1, l).send({ kind: 'document', id: 1 });
  hosts.closeTab(1);
  natives[0].close();  // the browser's disconnect comes after
  assert.equal(natives[0].disconnected, true);
  assert.deepEqual(l.gone, []);
  assert.equal(hosts.hasHost(1), false);
  // An answer of the closed host goes nowhere.
  natives[0].receive({ kind: 'document', id: 1 });
  assert.deepEqual(l.answers, []);
});

test('a host in use is not closed for being unused', () => {
  const { natives, hosts, listener } = setUp();
  const c = hosts.channel(1, 1, listener());
  c.send({ kind: 'document', id: 1 });
  hosts.closeIfUnused(1);
  assert.equal(natives[0].disconnected, false);
  assert.equal(c.joined, true);
  c.leave();
  c.leave();  // once is enough
  assert.equal(natives[0].posted.filter((m) => m.kind === 'gone').length, 1);
  hosts.closeIfUnused(1);
  assert.equal(natives[0].disconnected, true);
});
