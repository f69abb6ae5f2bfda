// The extension's own page that allows one origin: only a deliberate click on its button adds
// the origin to the user's list. The origin comes from the service worker, which took it
// from the document that asked, never from the page itself. The page ignores clicks until
// it has been visible and focused for a moment, and again after every change of what it
// shows, every move of the button, every click elsewhere or too early, every key and every
// change of focus: a page that has its user click or type fast, and opens this page under
// the clicks or the typing, allows nothing. From the keyboard, the button counts when it has
// held the focus for that moment with no key typed in between (Tab to it, pause, Space).
'use strict';
(async () => {
  const { normalizeOrigin, consentState, withOrigin } = Vant3Origins;
  const { readSettings, writeUserOrigins } = Vant3Settings;
  const origin = normalizeOrigin(new URLSearchParams(location.search).get('origin'));
  const allow = document.getElementById('allow');
  const status = document.getElementById('status');
  document.getElementById('origin').textContent = origin || '';

  const guard = Vant3ClickGuard.createClickGuard();
  const keyboard = Vant3ClickGuard.createKeyboardGuard();
  let pointerOnAllow = false;  // the press that the next click on the button ends
  let pressing = false;        // a pointer is down: the focus it moves is the click's
  let readyTimer = null;
  let place = '';  // where the button stands, while the guard is waiting

  const placeOf = () => {
    const r = allow.getBoundingClientRect();
    return `${r.left},${r.top},${r.width},${r.height}`;
  };

  // Marks the button while a click on it counts (for the tests), and looks again when that
  // changes by itself.
  function refreshReady() {
    clearTimeout(readyTimer);
    allow.toggleAttribute('data-ready', guard.accepts());
    const at = guard.readyAt();
    if (!guard.accepts() && at !== null) readyTimer = setTimeout(refreshReady, Math.max(0, at - Date.now()) + 20);
  }

  function reassess() {
    guard.setVisible(document.visibilityState === 'visible' && document.hasFocus() && !allow.hidden);
    place = placeOf();
    refreshReady();
  }

  function disturb() {
    guard.disturb();
    place = placeOf();
    refreshReady();
  }

  async function refresh() {
    if (!origin) {
      status.textContent = '許可するサイトが指定されていません。';
      allow.hidden = true;
      return;
    }
    const { userOrigins, policy } = await readSettings();
    const state = consentState({ kind: 'web', origin }, userOrigins, policy);
    allow.hidden = state !== 'ask';
    status.textContent = state === 'allowed' ? 'このサイトは印刷を許可されています。元のページから印刷できます。'
      : state === 'forbidden' ? '管理者の設定により、このサイトを許可することはできません。' : '';
  }

  for (const event of ['visibilitychange', 'focus', 'blur']) addEventListener(event, reassess);
  addEventListener('resize', disturb);
  // Whatever the page shows anew (the button appearing, a status line) starts the wait again.
  new MutationObserver(() => {
    reassess();
    disturb();
  }).observe(document.body, {
    childList: true, subtree: true, characterData: true, attributes: true, attributeFilter: ['hidden', 'class', 'style'] });
  // A press anywhere but on the ready button starts the wait again.
  addEventListener('pointerdown', (event) => {
    pressing = true;
    pointerOnAllow = event.target === allow;
    if (!(event.target === allow && guard.accepts())) disturb();
  }, true);
  for (const event of ['pointerup', 'pointercancel']) addEventListener(event, () => { pressing = false; }, true);
  // Every key starts the wait again, but the deliberate press on the button that waited.
  addEventListener('keydown', (event) => {
    if (!keyboard.keyDown(event, () => guard.accepts())) disturb();
  }, true);
  // So does every change of focus the keyboard makes (a pointer's press moves it too).
  for (const event of ['focusin', 'focusout']) addEventListener(event, () => { if (!pressing) disturb(); }, true);
  allow.addEventListener('focus', () => keyboard.focus(allow));
  allow.addEventListener('blur', () => keyboard.blur(allow));

  allow.addEventListener('click', async (event) => {
    if (!event.isTrusted) return;
    const byPointer = pointerOnAllow;
    pointerOnAllow = false;
    if (!guard.accepts() || placeOf() !== place || !(byPointer || keyboard.keyboardClick(allow))) {
      disturb();
      return;
    }
    const { userOrigins } = await readSettings();
    await writeUserOrigins(withOrigin(userOrigins, origin));
    await refresh();
  });
  Vant3Settings.onSettingsChanged(refresh);
  await refresh();
  reassess();
})();
