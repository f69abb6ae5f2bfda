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

  // The PARAMs that belong to this OBJECT, in document order.
  function ownParams(object) {
    const params = [];
    for (const param of object.getElementsByTagName('param')) {
      if (!isHtmlElement(param, 'param')) continue;
      if (param.parentElement == null || param.parentElement.closest('object') !== object) continue;
      params.push([attributeText(param, 'name'), attributeText(param, 'value')]);
    }
    return params;
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

  // The objects of a "document" request.
  function snapshotObjects(doc, registry) {
    const objects = [];
    for (const object of doc.getElementsByTagName('object')) {
      if (!isHtmlElement(object, 'object')) continue;
      objects.push({
        key: registry.keyOf(object),
        id: attributeText(object, 'id'),
        width: attributeText(object, 'width'),
        height: attributeText(object, 'height'),
        params: ownParams(object),
      });
    }
    return objects;
  }

  // Which OBJECTs to offer the consent action in before the host has said which ones are
  // controls: those holding a PARAM the control reads, else the first OBJECT.
  const CONTROL_PARAM = /^(method|p?cmdproperty$|p?mode$)/i;
  function likelyControlKeys(objects) {
    const keys = objects.filter((o) => o.params.some(([name]) => CONTROL_PARAM.test(name)))
      .map((o) => o.key);
    if (keys.length === 0 && objects.length > 0) keys.push(objects[0].key);
    return keys;
  }

  const api = { ownParams, createKeyRegistry, snapshotObjects, likelyControlKeys };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3ObjectSnapshot = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
