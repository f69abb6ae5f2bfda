'use strict';
// The policies the package ships as examples and the administrator's guide shows: each
// parses as its browser reads it, passes the extension's own policy reader without a
// refused entry, allows nothing by surprise, and the guide's merge commands keep what an
// existing policy file holds.
const test = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const o = require('../../extension/lib/origins.js');

const root = path.join(__dirname, '..', '..');
const examplesDir = path.join(root, 'packaging', 'policies');
const guide = fs.readFileSync(path.join(root, 'docs', 'admin-guide.md'), 'utf8');
const guideJa = fs.readFileSync(path.join(root, 'docs', 'admin-guide.ja.md'), 'utf8');
const ID = 'abcdefghijklmnopabcdefghijklmnop';
const UPDATE_XML = 'file:///usr/share/vant3/extension/update.xml';
const XPI = 'file:///usr/share/mozilla/extensions/{ec8030f7-c20a-464f-9b0e-13a3a9e97384}/print@vant3.xpi';

const example = (name) => fs.readFileSync(path.join(examplesDir, name), 'utf8').replaceAll('@EXTENSION_ID@', ID);

// JSON with // and /* */ comments, as Chromium's policy reader takes it: the comments are
// blanked outside strings, then the text must be strict JSON.
function parseCommented(text) {
  let out = '';
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (c === '"') {
      const end = /"(?:[^"\\]|\\.)*"/y;
      end.lastIndex = i;
      const m = end.exec(text);
      assert.ok(m, 'an unterminated string');
      out += m[0];
      i += m[0].length - 1;
    } else if (text.startsWith('//', i)) {
      while (i < text.length && text[i] !== '\n') i++;
      out += '\n';
    } else if (text.startsWith('/*', i)) {
      const close = text.indexOf('*/', i + 2);
      assert.ok(close > 0, 'an unterminated comment');
      i = close + 1;
      out += ' ';
    } else {
      out += c;
    }
  }
  return JSON.parse(out);
}

// The extension's policy as its reader takes it: nothing refused, every origin applied.
function assertClean(policy, where) {
  assert.deepEqual(o.policyRefusals(policy), [], where);
  const applied = o.readPolicy(policy);
  assert.equal(applied.presetOrigins.length, new Set((policy.allowedOrigins || []).map((e) => o.policyEntry(e).accepted)).size, where);
  return applied;
}

// The "key": value lines a comment or a README gives as examples, read as one object.
function exampleValues(lines) {
  return JSON.parse(`{${lines.map((l) => l.trim().replace(/,$/, '')).join(',')}}`);
}

test('the Chromium example: commented JSON that forces the extension and presets no site', () => {
  const text = example('chromium-policy.json');
  const policy = parseCommented(text);
  assert.deepEqual(policy.ExtensionInstallForcelist, [`${ID};${UPDATE_XML}`]);
  const own = policy['3rdparty'].extensions[ID];
  assert.deepEqual(assertClean(own, 'chromium'), { presetOrigins: [], userMayAllow: true });
  // The commented alternatives are valid too, and do what they say.
  const commented = text.split('\n').filter((l) => /^\s*\/\/\s+"(allowedOrigins|userMayAllow)":/.test(l))
    .map((l) => l.replace(/^\s*\/\/\s*/, ''));
  assert.equal(commented.length, 2);
  const alternative = exampleValues(commented);
  const applied = assertClean(alternative, 'chromium comments');
  assert.equal(applied.userMayAllow, false);
  assert.ok(o.presetAllows(applied, 'https://sales.example.com'));
  assert.ok(o.presetAllows(applied, 'https://host.intra.example.com'));
  assert.ok(!o.presetAllows(applied, 'https://intra.example.com'));
});

test('the Firefox examples: plain JSON that forces the add-on from the package and presets no site', () => {
  const policies = JSON.parse(example('firefox-policies.json')).policies;
  assert.deepEqual(policies.ExtensionSettings['print@vant3'], { installation_mode: 'force_installed', install_url: XPI });
  assert.deepEqual(policies.Preferences['xpinstall.signatures.required'], { Value: false, Status: 'locked' });
  assert.deepEqual(assertClean(policies['3rdparty'].Extensions['print@vant3'], 'policies.json'),
    { presetOrigins: [], userMayAllow: true });
  const storage = JSON.parse(example('firefox-managed-storage.json'));
  assert.equal(storage.name, 'print@vant3');
  assert.equal(storage.type, 'storage');
  assert.deepEqual(assertClean(storage.data, 'managed storage'), { presetOrigins: [], userMayAllow: true });
});

test('the examples\' README: its example policy is applied whole', () => {
  const lines = example('README').split('\n').filter((l) => /^\s+"(allowedOrigins|userMayAllow)": (\[.*\]|true|false),?$/.test(l));
  assert.equal(lines.length, 2);
  const applied = assertClean(exampleValues(lines), 'README');
  assert.deepEqual(applied, { presetOrigins: ['https://*.intra.example.com', 'https://sales.example.com'], userMayAllow: false });
});

const codeBlocks = (text) => [...text.matchAll(/```(\w*)\n([\s\S]*?)```/g)].map((m) => [m[1], m[2].replace(/^ +/gm, '')]);

test('the Japanese guide shows the same commands and policies as the English one', () => {
  assert.deepEqual(codeBlocks(guideJa), codeBlocks(guide));
});

test('every policy the guide shows parses and passes the extension\'s reader', () => {
  const blocks = codeBlocks(guide).filter(([lang]) => lang === 'json').map(([, text]) => text);
  assert.ok(blocks.length >= 4);
  let own = 0;
  for (const block of blocks) {
    const value = parseCommented(block);
    const chromium = value['3rdparty']?.extensions;
    const firefox = value.policies?.['3rdparty']?.Extensions;
    for (const policy of [...Object.values(chromium || {}), ...Object.values(firefox || {})]) {
      assertClean(policy, block);
      own++;
    }
  }
  assert.ok(own >= 4, `${own} extension policies in the guide`);
  // Each entry the guide's table calls allowed is accepted, each it calls refused is refused.
  for (const entry of ['https://sales.example.com', 'http://erp.example.com:8080', 'https://*.example.com', 'https://*.example.com:8443']) {
    assert.ok(guide.includes(`| \`${entry}\` |`) && guideJa.includes(`| \`${entry}\` |`), entry);
    assert.ok(o.policyEntry(entry).accepted, entry);
  }
  for (const entry of ['sales.example.com', '*', 'https://*', 'https://*.com', 'https://sales*.example.com', 'https://sales.example.com/app']) {
    assert.ok(guide.includes(`\`${entry}\``) && guideJa.includes(`\`${entry}\``), entry);
    assert.ok(o.policyEntry(entry).reason, entry);
  }
});

// The guide's jq command that starts with the given text, run on files of a test folder
// standing for the machine's.
function runGuideCommand(start, places) {
  const line = guide.split('\n').find((l) => l.startsWith(start));
  assert.ok(line, `the guide's command ${start}`);
  for (const [named] of line.matchAll(/\/(?:etc|usr|tmp)\/[^\s'"$)]*/g)) {
    assert.ok(Object.keys(places).some((real) => named.startsWith(real)), `no stand-in for ${named}`);
  }
  // One pass, so that a stand-in is never replaced again.
  const pattern = new RegExp(Object.keys(places).map((p) => p.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')).join('|'), 'g');
  const command = line.replace(pattern, (real) => places[real]);
  execFileSync('sh', ['-c', command], { stdio: ['ignore', 'pipe', 'pipe'] });
}

function machine() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vant-policy-'));
  const examples = path.join(dir, 'examples');
  fs.mkdirSync(examples);
  for (const name of fs.readdirSync(examplesDir)) fs.writeFileSync(path.join(examples, name), example(name));
  fs.writeFileSync(path.join(dir, 'extension-id'), `${ID}\n`);
  return {
    dir,
    places: {
      '/usr/share/doc/vant3/examples/': `${examples}/`,
      '/usr/share/vant3/extension/extension-id': path.join(dir, 'extension-id'),
      '/etc/chromium/policies/managed/office.json': path.join(dir, 'office.json'),
      '/etc/firefox/policies/policies.json': path.join(dir, 'policies.json'),
      '/tmp/': `${dir}/new-`,
      // a value the command writes into the policy, not a file it touches
      '/usr/share/vant3/extension/update.xml': '/usr/share/vant3/extension/update.xml',
    },
  };
}

test('the guide\'s jq commands add Vant3 to existing policy files and keep what they hold', () => {
  execFileSync('jq', ['--version']);  // the commands need jq (scripts/install-test-deps.sh)
  const m = machine();
  const other = 'aaaabbbbccccddddeeeeffffgggghhhh;https://clients2.google.com/service/update2/crx';
  fs.writeFileSync(path.join(m.dir, 'office.json'), JSON.stringify({ ExtensionInstallForcelist: [other], HomepageLocation: 'https://intra.example.com/' }));
  for (let run = 0; run < 2; run++) runGuideCommand('jq --arg entry', m.places);
  const office = JSON.parse(fs.readFileSync(path.join(m.dir, 'office.json'), 'utf8'));
  assert.deepEqual(office, { ExtensionInstallForcelist: [other, `${ID};${UPDATE_XML}`], HomepageLocation: 'https://intra.example.com/' });

  const existing = { policies: { DisableTelemetry: true, ExtensionSettings: { 'uBlock0@raymondhill.net': { installation_mode: 'force_installed' } },
    '3rdparty': { Extensions: { 'uBlock0@raymondhill.net': { adminSettings: '{}' } } } } };
  fs.writeFileSync(path.join(m.dir, 'policies.json'), JSON.stringify(existing));
  runGuideCommand('jq -s', m.places);
  const merged = JSON.parse(fs.readFileSync(path.join(m.dir, 'policies.json'), 'utf8')).policies;
  assert.equal(merged.DisableTelemetry, true);
  assert.deepEqual(merged.ExtensionSettings['uBlock0@raymondhill.net'], { installation_mode: 'force_installed' });
  assert.equal(merged.ExtensionSettings['print@vant3'].install_url, XPI);
  assert.deepEqual(merged['3rdparty'].Extensions['uBlock0@raymondhill.net'], { adminSettings: '{}' });
  assertClean(merged['3rdparty'].Extensions['print@vant3'], 'merged policies.json');
  fs.rmSync(m.dir, { recursive: true });
});
