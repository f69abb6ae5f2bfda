// Whether a click on one of the extension's buttons is one the user meant: the button must
// have been visible, where it is now, for a moment (as browsers hold their own permission
// prompts). Every disturbance starts that moment again: the button appearing or moving,
// being covered or uncovered, the page around it changing, a click that came too early.
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

  const api = { createClickGuard, SETTLE_MS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3ClickGuard = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
