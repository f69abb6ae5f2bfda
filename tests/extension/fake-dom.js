// A small element tree with the DOM calls the snapshot uses, for tests without a browser.
'use strict';
const HTML_NS = 'http://www.w3.org/1999/xhtml';

class FakeElement {
  constructor(localName, attributes = {}, children = [], namespaceURI = HTML_NS) {
    this.localName = localName;
    this.namespaceURI = namespaceURI;
    this.attributes = attributes;
    this.children = children;
    this.parentElement = null;
    for (const child of children) child.parentElement = this;
  }

  getAttribute(name) {
    return Object.hasOwn(this.attributes, name) ? this.attributes[name] : null;
  }

  // Descendants in document order whose local name matches.
  getElementsByTagName(name) {
    const found = [];
    const walk = (element) => {
      for (const child of element.children) {
        if (child.localName === name) found.push(child);
        walk(child);
      }
    };
    walk(this);
    return found;
  }

  closest(localName) {
    for (let e = this; e; e = e.parentElement) if (e.localName === localName) return e;
    return null;
  }
}

const el = (name, attributes, ...children) => new FakeElement(name, attributes, children);
const param = (name, value) => {
  const attributes = {};
  if (name !== undefined) attributes.name = name;
  if (value !== undefined) attributes.value = value;
  return el('param', attributes);
};
const svg = (name, attributes, ...children) =>
  new FakeElement(name, attributes, children, 'http://www.w3.org/2000/svg');

module.exports = { el, param, svg };
