// The box a control takes on the page and the places of its two buttons in it. The browser
// ignores the width and height of an OBJECT it cannot render, so the box takes them from
// the OBJECT's attributes itself; without them it grows to hold the buttons.
(function (root) {
  'use strict';

  // An HTML dimension attribute: leading blanks, digits with an optional fraction, then "%"
  // for a percentage; anything after the number is ignored. Returns a CSS length, or null
  // when the attribute gives no usable length (missing, no digits, zero).
  function cssLength(attribute) {
    if (attribute == null) return null;
    const match = /^[\t\n\f\r ]*(\d+(?:\.\d+)?|\.\d+)(%?)/.exec(String(attribute));
    if (!match) return null;
    const number = Number(match[1]);
    if (!(number > 0) || !Number.isFinite(number)) return null;
    return match[2] ? `${number}%` : `${number}px`;
  }

  // A button as the host lays it out, in CSS pixels; null when the answer's value is not one.
  function buttonPlacement(button) {
    if (button == null || typeof button !== 'object') return null;
    const numbers = ['left', 'top', 'width', 'height'];
    for (const name of numbers) {
      if (!Number.isFinite(button[name])) return null;
    }
    return {
      caption: typeof button.caption === 'string' ? button.caption : '',
      left: button.left,
      top: button.top,
      width: Math.max(0, button.width),
      height: Math.max(0, button.height),
      enabled: button.enabled !== false,
    };
  }

  // The box: the OBJECT's own width and height when it gives them, otherwise just large
  // enough for the buttons (their right and bottom edges, in CSS pixels).
  function boxSize(widthAttribute, heightAttribute, buttons) {
    const placed = buttons.filter(Boolean);
    const right = Math.max(0, ...placed.map((b) => b.left + b.width));
    const bottom = Math.max(0, ...placed.map((b) => b.top + b.height));
    return {
      width: cssLength(widthAttribute) || `${right}px`,
      height: cssLength(heightAttribute) || `${bottom}px`,
    };
  }

  const api = { cssLength, buttonPlacement, boxSize };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3ControlBox = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
