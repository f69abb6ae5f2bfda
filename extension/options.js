// The options page: the allowed origins, the user's own ones revocable, the administrator's
// shown as such.
'use strict';
(() => {
  const { withoutOrigin, presetAllows } = Vant3Origins;
  const { readSettings, writeUserOrigins, onSettingsChanged } = Vant3Settings;
  const table = document.getElementById('origins');

  function row(origin, source, revoke) {
    const tr = document.createElement('tr');
    tr.dataset.origin = origin;
    for (const text of [origin, source]) {
      const td = document.createElement('td');
      td.textContent = text;
      tr.append(td);
    }
    const td = document.createElement('td');
    if (revoke) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = '取り消す';
      button.addEventListener('click', (event) => { if (event.isTrusted) revoke(); });
      td.append(button);
    }
    tr.append(td);
    return tr;
  }

  async function render() {
    const { userOrigins, policy } = await readSettings();
    const rows = policy.presetOrigins.map((origin) => row(origin, '管理者による設定', null));
    for (const origin of userOrigins) {
      if (presetAllows(policy, origin)) continue;
      const source = policy.userMayAllow ? '利用者による許可' : '利用者による許可 (管理者の設定により無効)';
      rows.push(row(origin, source, async () => {
        const current = (await readSettings()).userOrigins;
        await writeUserOrigins(withoutOrigin(current, origin));
      }));
    }
    table.replaceChildren(...rows);
    document.getElementById('empty').hidden = rows.length > 0;
    document.getElementById('policy-note').textContent = policy.userMayAllow
      ? '印刷を許可するには、そのサイトのページで「このサイトでの印刷を許可する…」を押します。'
      : '管理者の設定により、利用者はサイトを許可できません。';
  }

  onSettingsChanged(render);
  render();
})();
