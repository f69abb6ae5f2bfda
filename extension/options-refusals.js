// The options page's list of the administrator's policy entries that are not applied, each
// with the reason, so that a mistyped origin is seen instead of silently allowing nothing.
'use strict';
(() => {
  const { readPolicyRefusals, onSettingsChanged } = Vant3Settings;
  const section = document.getElementById('refused');
  const table = document.getElementById('refused-entries');

  async function render() {
    const refusals = await readPolicyRefusals();
    table.replaceChildren(...refusals.map(({ key, entry, reason }) => {
      const tr = document.createElement('tr');
      for (const text of [key, entry, reason]) {
        const td = document.createElement('td');
        td.textContent = text;
        tr.append(td);
      }
      return tr;
    }));
    section.hidden = refusals.length === 0;
  }

  onSettingsChanged(render);
  render();
})();
