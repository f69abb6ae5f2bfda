'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { cssLength, buttonPlacement, boxSize } = require('../../extension/lib/control-box.js');

const lengths = [
  ['400', '400px'], ['  400px', '400px'], ['12.5', '12.5px'], ['50%', '50%'], ['.5', '0.5px'],
  ['120abc', '120px'], ['', null], ['abc', null], ['0', null], ['-10', null], [null, null],
];
for (const [attribute, want] of lengths) {
  test(`the attribute ${JSON.stringify(attribute)} gives the length ${want}`, () => {
    assert.equal(cssLength(attribute), want);
  });
}

const print = { caption: '発行', left: 0, top: 0, width: 150, height: 33, enabled: true };
const preview = { caption: '印刷プレビュー', left: 155, top: 0, width: 108, height: 33, enabled: true };

test('a placement keeps the host\'s numbers and refuses answers that are not placements', () => {
  assert.deepEqual(buttonPlacement(print), print);
  assert.equal(buttonPlacement({ ...print, enabled: false }).enabled, false);
  assert.equal(buttonPlacement({ ...print, width: -5 }).width, 0);
  for (const bad of [null, 'x', { ...print, left: '3' }, { ...print, height: NaN }]) {
    assert.equal(buttonPlacement(bad), null);
  }
});

const boxes = [
  { width: '400', height: '40', want: { width: '400px', height: '40px' } },
  { width: null, height: null, want: { width: '263px', height: '33px' } },
  { width: '80%', height: 'x', want: { width: '80%', height: '33px' } },
];
for (const [i, c] of boxes.entries()) {
  test(`the box takes the OBJECT's size or grows to its buttons (row ${i})`, () => {
    assert.deepEqual(boxSize(c.width, c.height, [print, preview, null]), c.want);
  });
}
