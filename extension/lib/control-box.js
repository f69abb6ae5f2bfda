// The box a control takes on the page and the places of its two buttons in it. The box
// replaces its OBJECT in the page's layout: it takes exactly the OBJECT's box (its size, its
// display, its margins and alignment) and the OBJECT is hidden, so nothing around it moves.
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

  // The OBJECT's computed style values the box copies besides its display and size.
  const COPIED_STYLE = ['vertical-align', 'float', 'clear', 'position', 'top', 'right', 'bottom', 'left', 'z-index',
    'margin-top', 'margin-right', 'margin-bottom', 'margin-left'];

  // The box's style, from the OBJECT as laid out: style, its computed values by name; rect, its
  // border box in CSS pixels; specified, the width and height the page gave it (inline style,
  // else the attribute's length), so that a percentage goes on following its container. An
  // inline OBJECT is laid out as a replaced element, which an inline block matches.
  function boxLayout(style, rect, specified) {
    const layout = { display: style.display === 'inline' ? 'inline-block' : style.display, 'box-sizing': 'border-box' };
    for (const name of COPIED_STYLE) {
      if (typeof style[name] === 'string' && style[name] !== '') layout[name] = style[name];
    }
    const percentage = (value) => (typeof value === 'string' && /^\s*\d+(\.\d+)?%\s*$/.test(value) ? value.trim() : null);
    layout.width = percentage(specified.width) || `${Math.max(0, rect.width)}px`;
    layout.height = percentage(specified.height) || `${Math.max(0, rect.height)}px`;
    return layout;
  }

  const api = { cssLength, buttonPlacement, boxLayout, COPIED_STYLE };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3ControlBox = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
