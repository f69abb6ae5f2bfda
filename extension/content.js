// The content script of every frame: lays out each control's box in place of its OBJECT,
// sends the document to the native host (through the service worker) once the page's
// origin is allowed, and turns trusted clicks on the buttons into print and preview
// requests. The outcome of every request reaches the page as a "vant3-outcome" event on the
// OBJECT, its detail the outcome as JSON text.
(() => {
  'use strict';
  const api = typeof browser !== 'undefined' ? browser : chrome;
  const { createKeyRegistry, snapshotObjects, consentKeys } = Vant3ObjectSnapshot;
  const { buttonPlacement, boxSize } = Vant3ControlBox;

  const TEXT = {
    allow: 'このサイトでの印刷を許可する…',
    forbidden: 'このサイトでの印刷は管理者により許可されていません',
    hostGone: '印刷ホストに接続できません',
  };
  const STYLE = `
    :host { all: initial; display: inline-block; vertical-align: bottom; }
    .box { position: relative; overflow: hidden; }
    button { position: absolute; box-sizing: border-box; margin: 0; padding: 0 4px;
             font: 12px sans-serif; white-space: nowrap; overflow: hidden; }
    .consent { left: 0; top: 0; height: 33px; padding: 0 8px; }
    .notice { position: absolute; left: 0; top: 0; font: 12px sans-serif; color: #a00; }`;

  // The box of an OBJECT without width and height, when it holds a text instead of buttons.
  const NOTICE_SIZE = { left: 0, top: 0, width: 320, height: 33 };

  const registry = createKeyRegistry();
  const views = new Map();  // key -> the box laid out for that OBJECT
  const pending = new Map();  // request id -> request
  let port = null;
  let consent = null;
  let hostLost = false;
  let nextId = 1;

  // ---- the page side -------------------------------------------------------------------

  function dispatchOutcome(object, outcome) {
    if (!object) return;
    const detail = JSON.stringify(outcome);
    object.dispatchEvent(new CustomEvent('vant3-outcome', { detail, bubbles: true }));
  }

  function hasSomething(outcome) {
    return outcome != null && typeof outcome === 'object' &&
      ((Array.isArray(outcome.messages) && outcome.messages.length > 0) ||
       (Array.isArray(outcome.printed) && outcome.printed.length > 0) || outcome.stopped === true);
  }

  // The box before the OBJECT, in a closed shadow root so page styles and scripts keep out.
  function viewFor(key) {
    if (views.has(key)) return views.get(key);
    const object = registry.elementOf(key);
    if (!object || !object.isConnected || !object.parentNode) return null;
    const host = document.createElement('span');
    const shadow = host.attachShadow({ mode: 'closed' });
    const style = document.createElement('style');
    style.textContent = STYLE;
    const box = document.createElement('div');
    box.className = 'box';
    shadow.append(style, box);
    object.parentNode.insertBefore(host, object);
    const view = { key, object, host, box, buttons: null, previewOpen: false };
    views.set(key, view);
    return view;
  }

  function sizeBox(view, placements) {
    const size = boxSize(view.object.getAttribute('width'), view.object.getAttribute('height'),
      placements);
    view.box.style.width = size.width;
    view.box.style.height = size.height;
  }

  function trustedClick(button, action) {
    button.addEventListener('click', (event) => {
      // A click that a page script made (isTrusted false) never prints nor opens the preview.
      if (!event.isTrusted) return;
      action();
    });
  }

  function makeButton(role, placement, action) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.vant3 = role;
    Object.assign(button.style, {
      left: `${placement.left}px`, top: `${placement.top}px`,
      width: `${placement.width}px`, height: `${placement.height}px`,
    });
    button.textContent = placement.caption;
    trustedClick(button, action);
    return button;
  }

  function showButtons(view, control) {
    const print = buttonPlacement(control.print);
    const preview = buttonPlacement(control.preview);
    view.box.replaceChildren();
    const printButton = print && makeButton('print', print, () => request({ kind: 'print', key: view.key }));
    const previewButton = preview && makeButton('preview', preview, () => {
      if (!request({ kind: 'preview', key: view.key })) return;
      view.previewOpen = true;  // until the host answers: the window has closed
      refreshEnabled(view);
    });
    view.buttons = { print, preview, printButton, previewButton };
    for (const button of [printButton, previewButton]) if (button) view.box.append(button);
    sizeBox(view, [print, preview]);
    refreshEnabled(view);
  }

  function refreshEnabled(view) {
    const b = view.buttons;
    if (!b) return;
    if (b.printButton) b.printButton.disabled = hostLost || !b.print.enabled;
    if (b.previewButton) b.previewButton.disabled = hostLost || !b.preview.enabled || view.previewOpen;
  }

  function showConsent(view, state) {
    view.buttons = null;
    view.box.replaceChildren();
    if (state === 'ask') {
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'consent';
      button.dataset.vant3 = 'consent';
      button.textContent = TEXT.allow;
      trustedClick(button, () => port && port.postMessage({ kind: 'open-consent' }));
      view.box.append(button);
      sizeBox(view, [NOTICE_SIZE]);
    } else {
      showNotice(view, 'forbidden', TEXT.forbidden);
    }
  }

  // What the box says in place of the buttons or the consent action.
  function showNotice(view, role, text) {
    const notice = document.createElement('div');
    notice.className = 'notice';
    notice.dataset.vant3 = role;
    notice.textContent = text;
    view.buttons = null;
    view.box.replaceChildren(notice);
    sizeBox(view, [NOTICE_SIZE]);
  }

  // ---- the host side -------------------------------------------------------------------

  // Sends a request to the host; false when there is no host to send it to.
  function request(body) {
    if (!port || consent !== 'allowed' || hostLost) return false;
    body.id = nextId++;
    pending.set(body.id, body);
    port.postMessage({ kind: 'request', body });
    return true;
  }

  function sendDocument() {
    request({
      kind: 'document', url: location.href, title: document.title,
      objects: snapshotObjects(document, registry),
    });
  }

  function onDocumentAnswer(answer) {
    let firstNew = null;
    for (const control of Array.isArray(answer.controls) ? answer.controls : []) {
      if (control == null || !Number.isInteger(control.key)) continue;
      const isNew = !(views.has(control.key) && views.get(control.key).buttons);
      const view = viewFor(control.key);
      if (!view) continue;
      if (isNew) {
        showButtons(view, control);
        if (firstNew === null) firstNew = view;
      }
    }
    // The controls shown by this answer: a Mode 1 run or a failed property reading.
    if (hasSomething(answer.outcome)) {
      dispatchOutcome((firstNew || views.values().next().value || {}).object, answer.outcome);
    }
  }

  function onAnswer(answer) {
    if (answer == null || typeof answer !== 'object') return;
    const asked = pending.get(answer.id);
    pending.delete(answer.id);
    const view = asked && asked.key !== undefined ? views.get(asked.key) : null;
    if (asked && asked.kind === 'preview' && view) {
      view.previewOpen = false;
      refreshEnabled(view);
    }
    if (answer.kind === 'document') {
      onDocumentAnswer(answer);
    } else if (answer.kind === 'print' || answer.kind === 'preview') {
      if (view) dispatchOutcome(view.object, answer.outcome);
    } else if (answer.kind === 'error') {
      const object = view ? view.object : firstObject();
      dispatchOutcome(object, { error: String(answer.message) });
    }
  }

  function firstObject() {
    const objects = snapshotObjects(document, registry);
    return objects.length ? registry.elementOf(objects[0].key) : null;
  }

  function onHostGone(message) {
    hostLost = true;
    const text = message ? `${TEXT.hostGone}: ${message}` : TEXT.hostGone;
    for (const asked of pending.values()) {
      const view = asked.key !== undefined ? views.get(asked.key) : null;
      if (view) view.previewOpen = false;
    }
    pending.clear();
    for (const view of offeredViews()) showNotice(view, 'notice', text);
    dispatchOutcome(firstObject(), { error: text });
  }

  // The boxes to speak in when the host has not said which OBJECTs are controls.
  function offeredViews() {
    if (views.size > 0) return [...views.values()];
    return consentKeys(snapshotObjects(document, registry)).map(viewFor).filter(Boolean);
  }

  function onConsent(state) {
    const before = consent;
    consent = state;
    if (state === 'allowed') {
      if (before !== 'allowed') {
        // The consent boxes give way to the controls the host answers with.
        for (const view of views.values()) view.host.remove();
        views.clear();
        sendDocument();
      }
      return;
    }
    // Not (or no longer) allowed: the host is gone; the boxes offer the one action left.
    hostLost = false;
    pending.clear();
    for (const view of offeredViews()) showConsent(view, state);
  }

  function connect() {
    port = api.runtime.connect({ name: 'vant3-document' });
    port.onMessage.addListener((message) => {
      if (message == null || typeof message !== 'object') return;
      if (message.kind === 'consent') onConsent(message.state);
      else if (message.kind === 'answer') onAnswer(message.body);
      else if (message.kind === 'host-gone') onHostGone(String(message.message || ''));
    });
    port.onDisconnect.addListener(() => {
      // The worker went away while idle (no host was open): link again. With a host open the
      // controls' state died with it; say so rather than print a Mode 1 page a second time.
      const hadHost = consent === 'allowed' && nextId > 1;
      port = null;
      consent = null;
      if (hadHost) onHostGone('');
      else connect();
    });
  }

  // ---- OBJECTs now and later -----------------------------------------------------------

  function objectCount() {
    return document.getElementsByTagName('object').length;
  }

  let rescanQueued = false;
  function onObjectsAdded() {
    if (rescanQueued) return;
    rescanQueued = true;
    // After the script that builds the form has finished this task (PARAMs included).
    setTimeout(() => {
      rescanQueued = false;
      if (!port) connect();
      else if (consent === 'allowed') sendDocument();
      else if (consent !== null) onConsent(consent);
    }, 0);
  }

  function addsObject(node) {
    return node.nodeType === 1 &&
      (node.localName === 'object' || node.getElementsByTagName('object').length > 0);
  }

  new MutationObserver((records) => {
    let removed = false;
    let added = false;
    for (const record of records) {
      removed = removed || record.removedNodes.length > 0;
      added = added || [...record.addedNodes].some(addsObject);
    }
    // The box of an OBJECT that left the document goes with it.
    if (removed) {
      for (const view of [...views.values()]) {
        if (!view.object.isConnected) {
          view.host.remove();
          views.delete(view.key);
        }
      }
    }
    if (added) onObjectsAdded();
  }).observe(document, { childList: true, subtree: true });

  if (objectCount() > 0) connect();
})();
