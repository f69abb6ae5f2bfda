'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { cssLength, buttonPlacement, boxLayout } = require('../../extension/lib/control-box.js');

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

const laidOut = { display: 'inline', 'vertical-align': 'baseline', float: 'none', position: 'static',
  'margin-top': '0px', 'margin-right': '0px', 'margin-bottom': '0px', 'margin-left': '0px' };
const layouts = [
  ['an inline OBJECT of 300 x 40: an inline block of its size on its baseline', laidOut,
    { width: 300, height: 40 }, { width: '300px', height: null },
    { display: 'inline-block', width: '300px', height: '40px', 'vertical-align': 'baseline' }],
  ['a block OBJECT keeps its margins', { ...laidOut, display: 'block', 'margin-top': '12px', 'margin-left': 'auto' },
    { width: 200, height: 30 }, { width: null, height: null },
    { display: 'block', width: '200px', height: '30px', 'margin-top': '12px', 'margin-left': 'auto' }],
  ['a percentage width follows the container', laidOut, { width: 392.5, height: 40 }, { width: '50%', height: '40px' },
    { width: '50%', height: '40px' }],
  ['an OBJECT the page hides stays hidden', { ...laidOut, display: 'none' }, { width: 0, height: 0 }, { width: null, height: null },
    { display: 'none', width: '0px', height: '0px' }],
  ['a floated, positioned OBJECT', { ...laidOut, display: 'block', float: 'right', position: 'relative', top: '4px', 'z-index': '3' },
    { width: 100, height: 20 }, { width: ' 100px', height: null },
    { float: 'right', position: 'relative', top: '4px', 'z-index': '3', width: '100px' }],
];
for (const [name, style, rect, specified, want] of layouts) {
  test(`the box takes the OBJECT's place: ${name}`, () => {
    const layout = boxLayout(style, rect, specified);
    assert.equal(layout['box-sizing'], 'border-box');
    for (const [property, value] of Object.entries(want)) assert.equal(layout[property], value, property);
  });
}
