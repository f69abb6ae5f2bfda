'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createClickGuard, SETTLE_MS } = require('../../extension/lib/click-guard.js');

// Each step at a time in milliseconds: ['visible', bool], ['disturb'], or ['click', accepted].
const timelines = [
  ['a button visible long enough', [[0, 'visible', true], [500, 'click', true]]],
  ['clicked too early', [[0, 'visible', true], [499, 'click', false]]],
  ['never visible', [[1000, 'click', false]]],
  ['covered just before the click', [[0, 'visible', true], [900, 'visible', false], [1000, 'click', false]]],
  ['uncovered just before the click', [[0, 'visible', false], [900, 'visible', true], [1000, 'click', false]]],
  ['moved under the pointer', [[0, 'visible', true], [950, 'disturb'], [1000, 'click', false], [1450, 'click', true]]],
  ['visible again is not new', [[0, 'visible', true], [300, 'visible', true], [500, 'click', true]]],
  ['a disturbance while hidden changes nothing', [[0, 'visible', false], [100, 'disturb'], [200, 'visible', true],
    [700, 'click', true]]],
];
for (const [name, steps] of timelines) {
  test(`click guard: ${name}`, () => {
    let now = 0;
    const guard = createClickGuard({ now: () => now });
    for (const [at, what, value] of steps) {
      now = at;
      if (what === 'visible') guard.setVisible(value);
      else if (what === 'disturb') guard.disturb();
      else assert.equal(guard.accepts(), value, `click at ${at}`);
    }
  });
}

test('the guard says when a click will count', () => {
  let now = 100;
  const guard = createClickGuard({ now: () => now });
  assert.equal(guard.readyAt(), null);
  guard.setVisible(true);
  assert.equal(guard.readyAt(), 100 + SETTLE_MS);
  now = 300;
  guard.disturb();
  assert.equal(guard.readyAt(), 300 + SETTLE_MS);
});
