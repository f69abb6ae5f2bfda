// The extension's own page that allows one origin: only a trusted click on its button adds
// the origin to the user's list. The origin comes from the service worker, which took it
// from the document that asked, never from the page itself.
'use strict';
(async () => {
  const { normalizeOrigin, consentState, withOrigin } = Vant3Origins;
  const { readSettings, writeUserOrigins } = Vant3Settings;
  const origin = normalizeOrigin(new URLSearchParams(location.search).get('origin'));
  const allow = document.getElementById('allow');
  const status = document.getElementById('status');
  document.getElementById('origin').textContent = origin || '';

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

  allow.addEventListener('click', async (event) => {
    if (!event.isTrusted) return;
    const { userOrigins } = await readSettings();
    await writeUserOrigins(withOrigin(userOrigins, origin));
    await refresh();
  });
  Vant3Settings.onSettingsChanged(refresh);
  await refresh();
})();
