// The extension's own page that allows one origin: only a deliberate click on its button adds
// the origin to the user's list. The origin comes from the service worker, which took it
// from the document that asked, never from the page itself. The page ignores clicks until
// it has been visible and focused for a moment, and again after every change of what it
// shows, every move of the button and every click elsewhere or too early: a page that has
// its user click fast, and opens this page under the clicks, allows nothing.
'use strict';
(async () => {
  const { normalizeOrigin, consentState, withOrigin } = Vant3Origins;
  const { readSettings, writeUserOrigins } = Vant3Settings;
  const origin = normalizeOrigin(new URLSearchParams(location.search).get('origin'));
  const allow = document.getElementById('allow');
  const status = document.getElementById('status');
  document.getElementById('origin').textContent = origin || '';

  const guard = Vant3ClickGuard.createClickGuard();
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
    if (!(event.target === allow && guard.accepts())) disturb();
  }, true);

  allow.addEventListener('click', async (event) => {
    if (!event.isTrusted) return;
    if (!guard.accepts() || placeOf() !== place) {
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
