// The content script of every frame: puts each control's box in the place of its OBJECT (the
// box takes the OBJECT's box in the page's layout and the OBJECT is hidden, so nothing
// around it moves), tells the service worker where its document sits, sends the document
// to the tab's native host once it may print, and turns the user's clicks on the buttons into
// print and preview requests: only clicks on a button the user has seen, where it stands,
// for a moment, and from the keyboard only a press on a button that held the focus for that
// moment with no key typed in between. The outcome of every request reaches the page as a "vant3-outcome" event on
// the OBJECT, its detail the outcome as JSON text.
(() => {
  'use strict';
  const api = typeof browser !== 'undefined' ? browser : chrome;
  const BOX_MARK = 'data-vant3-box';        // on each box's element in the page
  const HIDDEN_MARK = 'data-vant3-hidden';  // on each OBJECT a box replaces: its own display

  // One copy serves the document: the declared script, or the one the extension brought to
  // a tab already open when it was installed. A copy whose extension was updated or reloaded
  // has stopped; the new one takes away what it left on the page.
  const running = globalThis.vant3ContentScript;
  if (running && running.alive()) return;
  if (running) running.dispose();
  for (const box of document.querySelectorAll(`[${BOX_MARK}]`)) box.remove();
  for (const object of document.querySelectorAll(`object[${HIDDEN_MARK}]`)) showObjectAgain(object);

  const { createKeyRegistry, snapshotObjects, consentKeys } = Vant3ObjectSnapshot;
  const { buttonPlacement, boxLayout, cssLength, COPIED_STYLE } = Vant3ControlBox;
  const { watchBox, browserTellsVisibility, PROBE_MARK } = Vant3BoxWatch;

  const TEXT = {
    allow: 'このサイトでの印刷を許可する…',
    forbidden: 'このサイトでの印刷は管理者により許可されていません',
    pending: '印刷の設定を確認しています…',
    opaque: 'このページは発行元のサイトを確認できない (サンドボックス化されている) ため、印刷できません',
    framedBy: (origin) => `このページを埋め込んでいるページ (${origin}) は印刷を許可されていないため、印刷できません`,
    framed: 'このページを埋め込んでいるページは印刷を許可されていないため、印刷できません',
    hostGone: '印刷ホストに接続できません',
  };
  const STYLE = `
    :host { all: initial; }
    .box { position: relative; overflow: hidden; width: 100%; height: 100%; }
    button { position: absolute; box-sizing: border-box; margin: 0; padding: 0 4px;
             font: 12px sans-serif; white-space: nowrap; overflow: hidden; }
    .consent { left: 0; top: 0; height: 33px; padding: 0 8px; }
    .notice { position: absolute; left: 0; top: 0; right: 0; font: 12px sans-serif; color: #a00; }`;

  const registry = createKeyRegistry();
  const keyboard = Vant3ClickGuard.createKeyboardGuard();
  const buttonViews = new WeakMap();  // each button -> its box
  const views = new Map();  // key -> the box laid out for that OBJECT
  const pending = new Map();  // request id -> request
  let port = null;
  let consent = null;
  let hostLost = false;
  let nextId = 1;
  let disposed = false;

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

  function hideObject(object) {
    object.setAttribute(HIDDEN_MARK, object.style.getPropertyValue('display'));
    object.style.setProperty('display', 'none', 'important');
  }

  function showObjectAgain(object) {
    const display = object.getAttribute(HIDDEN_MARK);
    object.removeAttribute(HIDDEN_MARK);
    if (display) object.style.setProperty('display', display);
    else object.style.removeProperty('display');
  }

  // The box's style: the OBJECT's box as the page lays it out now.
  function layoutOf(object) {
    const computed = getComputedStyle(object);
    const style = { display: computed.display };
    for (const name of COPIED_STYLE) style[name] = computed.getPropertyValue(name);
    const specified = {
      width: object.style.width || cssLength(object.getAttribute('width')),
      height: object.style.height || cssLength(object.getAttribute('height')),
    };
    return boxLayout(style, object.getBoundingClientRect(), specified);
  }

  // The boxes in place of these OBJECTs (by key), each in a closed shadow root so page styles
  // and scripts keep out; null for a key whose OBJECT has gone. Every OBJECT is measured
  // before any box goes in, so that the page is laid out once, however many there are.
  function viewsFor(keys) {
    const measured = new Map();
    for (const key of keys) {
      const object = registry.elementOf(key);
      if (views.has(key) || measured.has(key) || !object || !object.isConnected || !object.parentNode) continue;
      measured.set(key, { object, layout: layoutOf(object) });
    }
    for (const [key, { object, layout }] of measured) {
      const host = document.createElement('span');
      host.setAttribute(BOX_MARK, '');
      for (const [name, value] of Object.entries(layout)) host.style.setProperty(name, value, 'important');
      host.style.setProperty('overflow', 'hidden', 'important');  // its baseline is its bottom, as an OBJECT's
      const shadow = host.attachShadow({ mode: 'closed' });
      const style = document.createElement('style');
      style.textContent = STYLE;
      const box = document.createElement('div');
      box.className = 'box';
      shadow.append(style, box);
      object.parentNode.insertBefore(host, object);
      hideObject(object);
      views.set(key, { key, object, host, box, buttons: null, previewOpen: false, readyTimer: null, watch: null });
    }
    for (const key of measured.keys()) {
      const view = views.get(key);
      view.watch = watchBox(view.host, () => refreshReady(view));
    }
    return keys.map((key) => views.get(key) || null);
  }

  function removeView(view) {
    clearTimeout(view.readyTimer);
    view.watch.stop();
    // A box a newer copy already took away: its OBJECT is that copy's now.
    if (view.host.isConnected) {
      view.host.remove();
      if (view.object.hasAttribute(HIDDEN_MARK)) showObjectAgain(view.object);
    }
    views.delete(view.key);
  }

  // Marks the buttons a click would count on now (for the browser tests, inside the closed
  // root), and looks again when that changes by itself.
  function refreshReady(view) {
    clearTimeout(view.readyTimer);
    const ready = view.watch.accepts(false);
    for (const button of view.box.querySelectorAll('button')) button.toggleAttribute('data-ready', ready);
    const at = view.watch.readyAt();
    if (!ready && at !== null) view.readyTimer = setTimeout(() => refreshReady(view), Math.max(0, at - Date.now()) + 20);
  }

  // The boxes whose content changed look again once the change is done: every box of a
  // page changes at once, and each look reads the layout, which each change writes.
  const changedViews = new Set();
  function changed(view) {
    if (changedViews.size === 0) {
      queueMicrotask(() => {
        const all = [...changedViews];
        changedViews.clear();
        for (const v of all) {
          if (!v.watch || !views.has(v.key)) continue;
          v.watch.disturb();
          refreshReady(v);
        }
      });
    }
    changedViews.add(view);
  }

  function userClick(view, button, action) {
    let pointerPressed = false;
    buttonViews.set(button, view);
    button.addEventListener('pointerdown', (event) => { pointerPressed = event.isTrusted; });
    button.addEventListener('focus', () => keyboard.focus(button));
    button.addEventListener('blur', () => keyboard.blur(button));
    button.addEventListener('click', (event) => {
      // A click that a page script made (isTrusted false) never prints nor opens the preview;
      // nor does one on a box the user could not see where it stands, or one that came too
      // early, which also starts the wait again; nor a press from the keyboard (a click no
      // pointer made) that typing brought.
      if (!event.isTrusted) return;
      const byPointer = pointerPressed;
      pointerPressed = false;
      if (!view.watch.accepts(true, button) || !(byPointer || keyboard.keyboardClick(button))) {
        changed(view);
        return;
      }
      action();
    });
  }

  // Every key typed in the document, before the button's own handlers: it tells whether a
  // Space or Enter on a focused button is a deliberate press.
  addEventListener('keydown', (event) => {
    if (!event.isTrusted) return;
    keyboard.keyDown(event, (button) => {
      const view = buttonViews.get(button);
      return Boolean(view && views.get(view.key) === view && view.watch.accepts(true, button));
    });
  }, true);

  function makeButton(view, role, placement, action) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.vant3 = role;
    Object.assign(button.style, {
      left: `${placement.left}px`, top: `${placement.top}px`,
      width: `${placement.width}px`, height: `${placement.height}px`,
    });
    button.textContent = placement.caption;
    userClick(view, button, action);
    return button;
  }

  function showButtons(view, control) {
    const print = buttonPlacement(control.print);
    const preview = buttonPlacement(control.preview);
    const printButton = print && makeButton(view, 'print', print, () => request({ kind: 'print', key: view.key }));
    const previewButton = preview && makeButton(view, 'preview', preview, () => {
      if (!request({ kind: 'preview', key: view.key })) return;
      view.previewOpen = true;  // until the host answers: the window has closed
      refreshEnabled(view);
    });
    view.buttons = { print, preview, printButton, previewButton };
    view.box.replaceChildren(...[printButton, previewButton].filter(Boolean));
    view.watch.buttons([printButton, previewButton].filter(Boolean));
    refreshEnabled(view);
    changed(view);
  }

  function refreshEnabled(view) {
    const b = view.buttons;
    if (!b) return;
    if (b.printButton) b.printButton.disabled = hostLost || !b.print.enabled;
    if (b.previewButton) b.previewButton.disabled = hostLost || !b.preview.enabled || view.previewOpen;
  }

  function showConsent(view, state) {
    if (state === 'ask') {
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'consent';
      button.dataset.vant3 = 'consent';
      button.textContent = TEXT.allow;
      userClick(view, button, () => port && port.postMessage({ kind: 'open-consent' }));
      view.buttons = null;
      view.box.replaceChildren(button);
      view.watch.buttons([button]);
      changed(view);
    } else if (state === 'framed') {
      showNotice(view, 'framed', consent.origin ? TEXT.framedBy(consent.origin) : TEXT.framed);
    } else {
      showNotice(view, state, TEXT[state] || TEXT.forbidden);
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
    view.watch.buttons([]);
    changed(view);
  }

  // ---- the host side -------------------------------------------------------------------

  // Sends a request to the host; false when there is no host to send it to.
  function request(body) {
    if (!port || !consent || consent.state !== 'allowed' || hostLost) return false;
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
    const controls = (Array.isArray(answer.controls) ? answer.controls : [])
      .filter((control) => control != null && Number.isInteger(control.key));
    const isNew = controls.map((control) => !(views.has(control.key) && views.get(control.key).buttons));
    const laidOut = viewsFor(controls.map((control) => control.key));
    let firstNew = null;
    controls.forEach((control, i) => {
      const view = laidOut[i];
      if (!view || !isNew[i]) return;
      showButtons(view, control);
      if (firstNew === null) firstNew = view;
    });
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
    return viewsFor(consentKeys(snapshotObjects(document, registry))).filter(Boolean);
  }

  function onConsent(state, origin) {
    const before = consent;
    consent = { state, origin: typeof origin === 'string' ? origin : null };
    if (state === 'allowed') {
      if (!before || before.state !== 'allowed') {
        // The host answers with the controls; until then the boxes are empty.
        hostLost = false;
        for (const view of views.values()) {
          view.buttons = null;
          view.box.replaceChildren();
          view.watch.buttons([]);
          changed(view);
        }
        sendDocument();
      }
      return;
    }
    // Not (or no longer) allowed: the host is gone; the boxes say why, or offer the one
    // action left.
    hostLost = false;
    pending.clear();
    for (const view of offeredViews()) showConsent(view, state);
  }

  // Where this document sits: its origin as it sees it, and its ancestors' up to the tab's
  // top (none told where the browser keeps them: the service worker then lets it print
  // only as the top).
  function hello() {
    const ancestors = location.ancestorOrigins ? Array.from(location.ancestorOrigins)
      : (window === window.top ? [] : null);
    return { kind: 'hello', origin: self.origin, ancestors, arrival };
  }

  // How the document came: "navigate" (loaded anew), "reload", "back_forward" (a move in the
  // tab's history, or a session restore), "restored" from the back/forward cache; the worker
  // lets a Mode 1 list run by itself only in a document loaded anew.
  const [navigation] = performance.getEntriesByType('navigation');
  let arrival = navigation ? navigation.type : 'unknown';

  let heard = false;          // the worker spoke on the current port
  let hostWasLost = false;    // the last port closed while a host served this document

  function connect() {
    heard = false;
    try {
      port = api.runtime.connect({ name: 'vant3-document' });
    } catch {
      dispose();  // the extension was updated or removed: this copy has stopped
      return;
    }
    // (A port this copy left, when the back/forward cache took the page, speaks no more.)
    const mine = port;
    port.onMessage.addListener((message) => {
      if (port !== mine) return;
      const first = !heard;
      heard = true;
      if (message == null || typeof message !== 'object') return;
      if (first && hostWasLost) {
        // The worker restarted while a host served this document: the controls' state died
        // with the host. Say so rather than print a Mode 1 page a second time.
        hostWasLost = false;
        if (message.kind === 'consent') consent = { state: message.state, origin: message.origin || null };
        onHostGone('');
        return;
      }
      if (message.kind === 'consent') onConsent(message.state, message.origin);
      else if (message.kind === 'answer') onAnswer(message.body);
      else if (message.kind === 'host-gone') onHostGone(String(message.message || ''));
    });
    port.onDisconnect.addListener(() => {
      if (port !== mine) return;
      const spoke = heard;
      port = null;
      heard = false;
      // A port closed before the worker said anything leads nowhere: the extension of this
      // copy was updated or removed (its new copy comes to the page by itself). Otherwise
      // the worker went away (it stops when idle): link again.
      if (!spoke || disposed) {
        dispose();
        return;
      }
      hostWasLost = hostWasLost || (consent !== null && consent.state === 'allowed' && nextId > 1);
      consent = null;
      connect();
    });
    port.postMessage(hello());
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
      if (disposed) return;
      if (!port) connect();
      else if (consent && consent.state === 'allowed') sendDocument();
      else if (consent !== null) onConsent(consent.state, consent.origin);
    }, 0);
  }

  function addsObject(node) {
    return node.nodeType === 1 &&
      (node.localName === 'object' || node.getElementsByTagName('object').length > 0);
  }

  // (The look whether a button is covered adds a style of its own for a moment: not the page's.)
  const isStyleSheet = (node) => node.nodeType === 1 && (node.localName === 'style' || node.localName === 'link') &&
    !node.hasAttribute(PROBE_MARK);

  const observer = new MutationObserver((records) => {
    let removed = false;
    let added = false;
    let styles = false;
    const restyled = new Set();
    for (const record of records) {
      if (record.type === 'attributes') {
        restyled.add(record.target);
        continue;
      }
      removed = removed || record.removedNodes.length > 0;
      added = added || [...record.addedNodes].some(addsObject);
      styles = styles || (!browserTellsVisibility && [...record.addedNodes, ...record.removedNodes].some(isStyleSheet));
    }
    // The box of an OBJECT that left the document goes with it.
    if (removed) {
      for (const view of [...views.values()]) if (!view.object.isConnected) removeView(view);
    }
    // Where the browser does not tell visibility itself, a box whose surroundings changed
    // looks again, and waits again before a click counts.
    if (styles || restyled.size > 0) {
      for (const view of views.values()) {
        let around = styles;
        for (let e = view.host.parentElement; e && !around; e = e.parentElement) around = restyled.has(e);
        if (around) changed(view);
      }
    }
    if (added) onObjectsAdded();
  });
  observer.observe(document, browserTellsVisibility ? { childList: true, subtree: true }
    : { childList: true, subtree: true, attributes: true, attributeFilter: ['style', 'class', 'hidden'] });

  // Serving the document: linked to the extension, which answers. A copy whose link was
  // lost (its extension updated) gives way to a new one, which takes its boxes away.
  function alive() {
    return !disposed && port !== null && heard;
  }

  // Stops this copy and takes its boxes away, the OBJECTs back in their places.
  function dispose() {
    if (disposed) return;
    disposed = true;
    observer.disconnect();
    for (const view of [...views.values()]) removeView(view);
    if (port) {
      const open = port;
      port = null;
      try {
        open.disconnect();
      } catch {
        // already closed with its extension
      }
    }
  }

  // A page the back/forward cache restores kept its boxes as they were: it links anew and
  // shows what its origin's consent calls for now, its Mode 1 list not running by itself.
  addEventListener('pagehide', (event) => {
    if (event.persisted && event.isTrusted) leavePort();
  });
  addEventListener('pageshow', (event) => {
    if (!event.persisted || !event.isTrusted || disposed || objectCount() === 0) return;
    leavePort();
    arrival = 'restored';
    hostLost = false;
    connect();
  });

  // Closes the port as this copy's own step (not a loss of the worker).
  function leavePort() {
    const open = port;
    port = null;
    consent = null;
    heard = false;
    hostWasLost = false;
    pending.clear();
    if (!open) return;
    try {
      open.disconnect();
    } catch {
      // already closed by the browser
    }
  }

  globalThis.vant3ContentScript = { alive, dispose };
  if (objectCount() > 0) connect();
})();
