// The page as the control reads its host: every OBJECT element of the document in document
// order, each with its own PARAM elements (those whose nearest OBJECT ancestor is that
// OBJECT, so the PARAMs of a nested OBJECT stay with it), name and value as the DOM holds
// them. Loaded as a content script (global Vant3ObjectSnapshot) and by node's tests.
(function (root) {
  'use strict';

  const HTML_NS = 'http://www.w3.org/1999/xhtml';

  function isHtmlElement(element, localName) {
    return element.localName === localName &&
      (element.namespaceURI === HTML_NS || element.namespaceURI == null);
  }

  // A missing attribute reads as an empty text, as the DOM's reflected properties give it.
  function attributeText(element, name) {
    const value = element.getAttribute(name);
    return value == null ? '' : String(value);
  }

  // The OBJECT a PARAM belongs to: its nearest OBJECT ancestor, or null.
  function ownerObject(param) {
    return param.parentElement == null ? null : param.parentElement.closest('object');
  }

  function paramEntry(param) {
    return [attributeText(param, 'name'), attributeText(param, 'value')];
  }

  // Keys are numbers given to each OBJECT element once, stable while the element lives.
  function createKeyRegistry() {
    const keys = new WeakMap();
    const elements = new Map();  // key -> element, for the host's answers
    let next = 0;
    return {
      keyOf(element) {
        if (!keys.has(element)) {
          keys.set(element, next);
          elements.set(next, element);
          next += 1;
        }
        return keys.get(element);
      },
      has(element) { return keys.has(element); },
      elementOf(key) { return elements.get(key) || null; },
    };
  }

  // The objects of a "document" request. When OBJECTs nest, an outer OBJECT's PARAM may
  // follow an inner one's in the page: then each PARAM also carries its place among all
  // PARAMs inside OBJECTs, in document order, so the host keeps the page's order.
  function snapshotObjects(doc, registry) {
    const objects = [];
    const byElement = new Map();
    for (const object of doc.getElementsByTagName('object')) {
      if (!isHtmlElement(object, 'object')) continue;
      const entry = {
        key: registry.keyOf(object),
        id: attributeText(object, 'id'),
        width: attributeText(object, 'width'),
        height: attributeText(object, 'height'),
        params: [],
      };
      byElement.set(object, entry);
      objects.push(entry);
    }
    const nested = [...byElement.keys()].some((object) => ownerObject(object) !== null);
    let place = 0;
    for (const param of doc.getElementsByTagName('param')) {
      if (!isHtmlElement(param, 'param')) continue;
      const entry = byElement.get(ownerObject(param));
      if (!entry) continue;
      entry.params.push(nested ? [...paramEntry(param), place] : paramEntry(param));
      place += 1;
    }
    return objects;
  }

  // Whether a PARAM is a method line, by the rule the control's property reading and the
  // host use: "method" at the start of its name in any case, but not "methodcnt".
  function isMethodName(name) {
    const head = name.slice(0, 9).toLowerCase();
    return head.startsWith('method') && !head.startsWith('methodcnt');
  }

  // Where to offer the consent action before any host has been asked: the OBJECTs holding
  // a method line PARAM, which the host would take as controls. (The host's fallback, the
  // first OBJECT of a page without such PARAMs, is left out: a page whose only OBJECT is a
  // plug-in or an embedded file gets no offer.)
  function consentKeys(objects) {
    return objects.filter((o) => o.params.some(([name]) => isMethodName(name))).map((o) => o.key);
  }

  const api = { createKeyRegistry, snapshotObjects, consentKeys, isMethodName };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3ObjectSnapshot = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
