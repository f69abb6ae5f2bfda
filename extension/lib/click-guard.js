// Whether a click on one of the extension's buttons is one the user meant: the button must
// have been visible, where it is now, for a moment (as browsers hold their own permission
// prompts). Every disturbance starts that moment again: the button appearing or moving,
// being covered or uncovered, the page around it changing, a click that came too early.
// A press from the keyboard (Space or Enter on the focused button, a click no pointer made)
// counts only when the button has held the focus for that moment with no key typed in
// between: a stream of typing that Tabs onto a button and goes on never presses it.
// Loaded by the content script, the consent page and node's tests.
(function (root) {
  'use strict';

  const SETTLE_MS = 500;

  function createClickGuard({ settleMs = SETTLE_MS, now = () => Date.now() } = {}) {
    let visible = false;
    let since = null;  // when it last became visible or was disturbed while visible
    return {
      setVisible(isVisible) {
        if (isVisible && !visible) since = now();
        if (!isVisible) since = null;
        visible = Boolean(isVisible);
      },
      disturb() {
        if (visible) since = now();
      },
      accepts() { return visible && since !== null && now() - since >= settleMs; },
      // When a click will count, if nothing disturbs it; null while not visible.
      readyAt() { return visible && since !== null ? since + settleMs : null; },
    };
  }

  const PRESS_KEYS = new Set([' ', 'Enter']);

  // One per document: which element holds the focus since when, and the last key typed
  // anywhere in it. The document tells it every key down (before the element's own handlers)
  // and every focus change of the elements it guards.
  function createKeyboardGuard({ settleMs = SETTLE_MS, now = () => Date.now() } = {}) {
    let focused = null;
    let focusedSince = null;
    let lastKey = -Infinity;
    let armed = null;  // the element a deliberate press is on, until its click
    return {
      focus(element) {
        focused = element;
        focusedSince = now();
        armed = null;
      },
      blur(element) {
        if (focused !== element) return;
        focused = null;
        focusedSince = null;
        armed = null;
      },
      // A key down anywhere in the document; visible(element) says whether the focused
      // element is seen now (its click guard). True when this key is a deliberate press.
      keyDown({ key, repeat }, visible = () => true) {
        const at = now();
        const quiet = focusedSince !== null && at - Math.max(focusedSince, lastKey) >= settleMs;
        armed = !repeat && PRESS_KEYS.has(key) && focused !== null && quiet && visible(focused) ? focused : null;
        lastKey = at;
        return armed !== null;
      },
      // Whether a click on element that no pointer pressed (the keyboard's) counts; once.
      keyboardClick(element) {
        const counts = armed !== null && armed === element;
        armed = null;
        return counts;
      },
    };
  }

  const api = { createClickGuard, createKeyboardGuard, SETTLE_MS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3ClickGuard = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
