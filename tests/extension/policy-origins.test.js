'use strict';
// The administrator's allowedOrigins: exact origins and subdomain patterns are applied,
// everything else is refused with a reason the options page shows, never dropped unseen.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const o = require('../../extension/lib/origins.js');

// [row, entry, normal form or null, reason pattern when refused]
const entries = [
  [1, 'https://sales.example.com', 'https://sales.example.com'],
  [2, 'HTTPS://Sales.Example.COM/', 'https://sales.example.com'],
  [3, 'http://erp.example.com:8080', 'http://erp.example.com:8080'],
  [4, 'https://erp.example.com:443', 'https://erp.example.com'],
  [5, 'https://*.example.com', 'https://*.example.com'],
  [6, 'https://*.Intra.Example.com:8443/', 'https://*.intra.example.com:8443'],
  [7, 'https://*.日本.example', 'https://*.xn--wgv71a.example'],
  [23, ' https://sales.example.com/ ', 'https://sales.example.com'],
  [8, 'sales.example.com', null, /スキーム/],
  [9, '*', null, /スキーム/],
  [10, 'https://*', null, /「\*」/],
  [11, 'https://*.com', null, /広すぎ/],
  [12, 'https://sales*.example.com', null, /「\*」/],
  [13, 'https://*.example.com/app', null, /パス/],
  [14, 'https://sales.example.com/app', null, /パス/],
  [15, 'https://sales.example.com?x=1', null, /パス/],
  [16, 'ftp://files.example.com', null, /http と https/],
  [17, 'chrome-extension://abc/', null, /http と https/],
  [18, 'https://user:pw@sales.example.com', null, /利用者名/],
  [19, 'https://*.10.0.0.1', null, /オリジンとして読めません/],
  [20, '', null, /空/],
  [21, 42, null, /文字列/],
  [22, 'https://exa mple.com', null, /オリジンとして読めません/],
];
for (const [row, entry, accepted, reason] of entries) {
  test(`policy entry ${row}: ${JSON.stringify(entry)}`, () => {
    const got = o.policyEntry(entry);
    if (accepted) assert.deepEqual(got, { accepted });
    else assert.match(got.reason, reason);
  });
}

// [row, policy entries, origin, whether the policy allows it without asking]
const matches = [
  [1, ['https://*.example.com'], 'https://sales.example.com', true],
  [2, ['https://*.example.com'], 'https://a.b.example.com', true],
  [3, ['https://*.example.com'], 'https://example.com', false],
  [4, ['https://*.example.com'], 'https://badexample.com', false],
  [5, ['https://*.example.com'], 'https://example.com.evil.test', false],
  [6, ['https://*.example.com'], 'http://sales.example.com', false],
  [7, ['https://*.example.com'], 'https://sales.example.com:8443', false],
  [8, ['https://*.example.com:8443'], 'https://sales.example.com:8443', true],
  [9, ['https://sales.example.com'], 'https://a.sales.example.com', false],
  [10, ['https://*.example.com', 'https://example.com'], 'https://example.com', true],
  [11, ['sales.example.com', '*'], 'https://sales.example.com', false],
];
for (const [row, allowedOrigins, origin, want] of matches) {
  test(`policy match ${row}: ${allowedOrigins} for ${origin}`, () => {
    const policy = o.readPolicy({ allowedOrigins, userMayAllow: false });
    assert.equal(o.presetAllows(policy, origin), want);
    assert.equal(o.consentState({ kind: 'web', origin }, [], policy), want ? 'allowed' : 'forbidden');
  });
}

test('every entry the policy does not apply is listed with its reason, the applied ones are not', () => {
  const managed = { allowedOrigins: ['https://a.example', 'a.example', 'https://*.b.example', '*', 7], userMayAllow: 'false' };
  assert.deepEqual(o.readPolicy(managed).presetOrigins, ['https://*.b.example', 'https://a.example']);
  const refused = o.policyRefusals(managed);
  assert.deepEqual(refused.map((r) => [r.key, r.entry]),
    [['allowedOrigins', 'a.example'], ['allowedOrigins', '*'], ['allowedOrigins', '7'], ['userMayAllow', 'false']]);
  for (const r of refused) assert.ok(r.reason.length > 0);
  assert.deepEqual(o.policyRefusals({ allowedOrigins: 'https://a.example' }).map((r) => r.entry), ['https://a.example']);
  assert.deepEqual(o.policyRefusals({ allowedOrigins: ['https://a.example'], userMayAllow: false }), []);
  assert.deepEqual(o.policyRefusals(undefined), []);
  assert.equal(o.policyRefusals({ allowedOrigins: ['x'.repeat(5000)] })[0].entry.length, 201);
});

// A minimal page for options-refusals.js: the elements it fills and the settings it reads.
function optionsPage(managed) {
  const element = (tag) => ({ tag, children: [], hidden: true, textContent: '',
    append(...c) { this.children.push(...c); }, replaceChildren(...c) { this.children = c; } });
  const ids = { refused: element('section'), 'refused-entries': element('tbody') };
  const listeners = [];
  const context = {
    document: { getElementById: (id) => ids[id], createElement: element },
    Vant3Settings: {
      readPolicyRefusals: async () => o.policyRefusals(managed.current),
      onSettingsChanged: (listener) => listeners.push(listener),
    },
  };
  const source = fs.readFileSync(path.join(__dirname, '..', '..', 'extension', 'options-refusals.js'), 'utf8');
  vm.runInNewContext(source, context);
  return { ids, changed: () => Promise.all(listeners.map((l) => l())) };
}

test('the options page lists the refused entries, and hides the list once the policy is mended', async () => {
  const managed = { current: { allowedOrigins: ['sales.example.com', 'https://sales.example.com'] } };
  const page = optionsPage(managed);
  await page.changed();
  assert.equal(page.ids.refused.hidden, false);
  const rows = page.ids['refused-entries'].children.map((tr) => tr.children.map((td) => td.textContent));
  assert.equal(rows.length, 1);
  assert.deepEqual(rows[0].slice(0, 2), ['allowedOrigins', 'sales.example.com']);
  assert.match(rows[0][2], /スキーム/);
  managed.current = { allowedOrigins: ['https://sales.example.com'] };
  await page.changed();
  assert.equal(page.ids.refused.hidden, true);
  assert.deepEqual(page.ids['refused-entries'].children, []);
});
