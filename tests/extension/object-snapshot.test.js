'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { snapshotObjects, createKeyRegistry, consentKeys, isMethodName } = require('../../extension/lib/object-snapshot.js');
const { el, param, svg } = require('./fake-dom.js');

const cases = [
  {
    name: 'objects in document order, each with its own PARAMs only',
    doc: el('html', {},
      el('object', { id: 'Outer', width: '400', height: '40' },
        param('method1', 'papersize,a4'),
        el('object', { id: 'Inner' }, param('method1', 'newpage')),
        param('Mode', '1')),
      el('div', {}, el('object', {}, param('CmdProperty', '発行,120')))),
    // nested OBJECTs: each PARAM carries its place among the PARAMs in document order
    want: [
      { key: 0, id: 'Outer', width: '400', height: '40', params: [['method1', 'papersize,a4', 0], ['Mode', '1', 2]] },
      { key: 1, id: 'Inner', width: '', height: '', params: [['method1', 'newpage', 1]] },
      { key: 2, id: '', width: '', height: '', params: [['CmdProperty', '発行,120', 3]] },
    ],
  },
  {
    name: 'a PARAM below another element of the OBJECT belongs to it; missing name or value read as empty',
    doc: el('body', {}, el('object', {}, el('span', {}, param('method1', 'x')), param(undefined, 'v'), param('n'))),
    want: [{ key: 0, id: '', width: '', height: '', params: [['method1', 'x'], ['', 'v'], ['n', '']] }],
  },
  {
    name: 'elements of other namespaces are neither OBJECTs nor PARAMs',
    doc: el('body', {}, svg('object', {}, param('method1', 'a')), el('object', {}, svg('param', { name: 'x', value: 'y' }))),
    want: [{ key: 0, id: '', width: '', height: '', params: [] }],
  },
  {
    name: 'a page without OBJECTs',
    doc: el('body', {}, param('method1', 'orphan')),
    want: [],
  },
];

for (const c of cases) {
  test(`snapshot: ${c.name}`, () => {
    assert.deepEqual(snapshotObjects(c.doc, createKeyRegistry()), c.want);
  });
}

test('keys stay with their elements across snapshots, and new OBJECTs get new ones', () => {
  const first = el('object', {}, param('method1', 'a'));
  const body = el('body', {}, first);
  const registry = createKeyRegistry();
  assert.deepEqual(snapshotObjects(body, registry).map((o) => o.key), [0]);
  const added = el('object', {});
  body.children.unshift(added);  // inserted before the first
  added.parentElement = body;
  assert.deepEqual(snapshotObjects(body, registry).map((o) => o.key), [1, 0]);
  assert.equal(registry.elementOf(1), added);
  assert.equal(registry.elementOf(7), null);
});

const offers = [
  { params: [[], [['method1', 'a']], [['METHOD', 'b']]], want: [1, 2] },
  // a method count is no method line: the OBJECT holding only one is no control
  { params: [[['MethodCnt', '2']], [['methodcnt5', '1'], ['method1', 'a']], [['method1', 'b']]], want: [1, 2] },
  { params: [[['CmdProperty', 'x']], [['Mode', '1']]], want: [] },
  { params: [[['movie', 'a.swf']], [['quality', 'high']]], want: [] },
  { params: [], want: [] },
];
for (const [i, c] of offers.entries()) {
  test(`consent is offered only in OBJECTs with method PARAMs (row ${i})`, () => {
    const objects = c.params.map((params, key) => ({ key, params }));
    assert.deepEqual(consentKeys(objects), c.want);
  });
}

// The same names as the host's own rule (HostControlChoice in the C++ tests).
const methodNames = [
  ['method1', true], ['METHOD2', true], ['Method', true], ['methodcount', true], ['methoD_cnt', true],
  ['MethodCnt', false], ['methodcnt5', false], ['METHODCNT', false], ['metho', false], ['xmethod1', false],
  ['', false], ['ｍｅｔｈｏｄ1', false],
];
for (const [name, want] of methodNames) {
  test(`"${name}" ${want ? 'is' : 'is not'} a method line`, () => {
    assert.equal(isMethodName(name), want);
  });
}
