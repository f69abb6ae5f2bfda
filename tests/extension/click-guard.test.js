'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createClickGuard, createKeyboardGuard, SETTLE_MS } = require('../../extension/lib/click-guard.js');

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

// The keyboard: each step at a time in milliseconds: ['focus'], ['blur'], ['key', name,
// deliberate?] (a key down anywhere, and whether it is a deliberate press), ['click', counts]
// (a click no pointer made, on the focused button).
const keyboardTimelines = [
  ['Tab, pause, Space', [[0, 'key', 'Tab', false], [0, 'focus'], [500, 'key', ' ', true], [560, 'click', true]]],
  ['Tab, pause, Enter', [[0, 'key', 'Tab', false], [0, 'focus'], [700, 'key', 'Enter', true], [700, 'click', true]]],
  ['typing at 150 ms: Tab then Space', [[0, 'key', 'Tab', false], [0, 'focus'], [150, 'key', ' ', false],
    [200, 'click', false]]],
  ['a key typed while focused starts the wait again', [[0, 'focus'], [450, 'key', 'a', false],
    [900, 'key', ' ', false], [950, 'click', false], [1400, 'key', ' ', true], [1450, 'click', true]]],
  ['focus just gained', [[0, 'key', 'a', false], [1000, 'focus'], [1200, 'key', ' ', false], [1250, 'click', false]]],
  ['focus lost before the press', [[0, 'focus'], [600, 'blur'], [700, 'key', ' ', false], [750, 'click', false]]],
  ['a press counts once', [[0, 'focus'], [600, 'key', ' ', true], [650, 'click', true], [660, 'click', false]]],
  ['a held key repeats', [[0, 'focus'], [600, 'key', 'repeat', false], [650, 'click', false]]],
  ['not a press key', [[0, 'focus'], [600, 'key', 'x', false], [650, 'click', false]]],
  ['a click with no key at all', [[0, 'focus'], [900, 'click', false]]],
];
for (const [name, steps] of keyboardTimelines) {
  test(`keyboard guard: ${name}`, () => {
    let now = 0;
    const keyboard = createKeyboardGuard({ now: () => now });
    const button = {};
    for (const [at, what, key, expected] of steps) {
      now = at;
      if (what === 'focus') keyboard.focus(button);
      else if (what === 'blur') keyboard.blur(button);
      else if (what === 'key') {
        const event = key === 'repeat' ? { key: ' ', repeat: true } : { key, repeat: false };
        assert.equal(keyboard.keyDown(event), expected, `key ${key} at ${at}`);
      } else assert.equal(keyboard.keyboardClick(button), key, `click at ${at}`);
    }
  });
}

test('keyboard guard: a press on a button the user cannot see is no press; a click on another element does not count', () => {
  let now = 0;
  const keyboard = createKeyboardGuard({ now: () => now });
  const button = {};
  keyboard.focus(button);
  now = 600;
  assert.equal(keyboard.keyDown({ key: ' ', repeat: false }, (element) => element !== button), false);
  now = 1000;
  assert.equal(keyboard.keyDown({ key: ' ', repeat: false }), false, 'the refused press was a key typed');
  now = 1800;
  assert.equal(keyboard.keyDown({ key: ' ', repeat: false }), true);
  assert.equal(keyboard.keyboardClick({}), false);
  assert.equal(keyboard.keyboardClick(button), false, 'the press went with the other click');
});
