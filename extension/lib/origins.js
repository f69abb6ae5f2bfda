// Which pages the extension may act on. A web origin is allowed when the administrator's
// policy presets it, or when the user allowed it (unless the policy forbids user additions);
// file:// pages are governed by the browser's own "allow access to file URLs" switch, which
// decides whether the content script runs there at all. Loaded by the service worker, the
// extension's pages and node's tests.
(function (root) {
  'use strict';

  // "https://Example.com:443/path" -> "https://example.com"; null for anything that is not an
  // http(s) origin (opaque origins, other schemes, text that is no URL).
  function normalizeOrigin(text) {
    if (typeof text !== 'string' || text === '') return null;
    let url;
    try {
      url = new URL(text);
    } catch {
      return null;
    }
    if (url.protocol !== 'http:' && url.protocol !== 'https:') return null;
    return url.origin;
  }

  // Where a message came from, by the origin the browser gives its document (never by its
  // URL: a sandboxed document, "Content-Security-Policy: sandbox" or a sandboxed frame, has
  // the opaque origin "null" at a URL of its site): a file:// document, a web origin, an
  // opaque origin, or something else (no origin told).
  function pageOf(senderUrl, senderOrigin) {
    if (typeof senderUrl === 'string' && senderUrl.startsWith('file:')) return { kind: 'file' };
    return originPage(senderOrigin);
  }

  function originPage(origin) {
    if (origin === 'null') return { kind: 'opaque' };
    if (origin === 'file://') return { kind: 'file' };
    const web = normalizeOrigin(origin);
    return web ? { kind: 'web', origin: web } : { kind: 'other' };
  }

  // The documents a frame sits in, from its location.ancestorOrigins (parent first, the
  // tab's top last). Anything but a list of origins counts as one unknown ancestor, so that
  // a frame whose ancestors cannot be told never prints.
  const MAX_ANCESTORS = 64;
  function ancestorPages(ancestorOrigins) {
    if (!Array.isArray(ancestorOrigins) || ancestorOrigins.length > MAX_ANCESTORS) return [{ kind: 'other' }];
    return ancestorOrigins.map(originPage);
  }

  // The administrator's settings from managed storage; wrong types count as not set, and
  // entries that are neither an exact origin nor a subdomain pattern are left out (the
  // options page lists them with policyRefusals).
  function readPolicy(managed) {
    const m = managed && typeof managed === 'object' ? managed : {};
    const preset = Array.isArray(m.allowedOrigins) ? m.allowedOrigins : [];
    return {
      presetOrigins: unique(preset.map((entry) => policyEntry(entry).accepted).filter(Boolean)),
      userMayAllow: m.userMayAllow !== false,
    };
  }

  // One entry of allowedOrigins: { accepted } with its normal form, or { reason } (Japanese,
  // shown to the administrator on the options page) why it is refused. Accepted are an
  // exact origin, "https://sales.example.com" (a port when it is not the scheme's default,
  // one closing "/" tolerated), and a subdomain pattern, "https://*.example.com", which
  // matches every host under example.com at any depth, not example.com itself. A scheme is
  // always written, so that an entry never allows plain http by accident.
  const WILDCARD = /^(https?):\/\/\*\.([^/?#@*]+)(.*)$/i;
  function policyEntry(entry) {
    if (typeof entry !== 'string') return { reason: '文字列ではありません' };
    const text = entry.trim();
    if (text === '') return { reason: '空です' };
    if (!/^[a-z][a-z0-9+.-]*:\/\//i.test(text)) {
      return { reason: 'スキームがありません (https:// か http:// で始めてください)' };
    }
    if (!/^https?:\/\//i.test(text)) return { reason: 'http と https 以外のスキームは使えません' };
    const wildcard = WILDCARD.exec(text);
    if (wildcard && wildcard[3] !== '' && wildcard[3] !== '/') {
      return { reason: 'パスやクエリは書けません (オリジンだけを書いてください)' };
    }
    if (wildcard) return wildcardEntry(wildcard[1].toLowerCase(), wildcard[2]);
    if (text.includes('*')) {
      return { reason: '「*」はホスト名の先頭の「*.」としてだけ使えます (例: https://*.example.com)' };
    }
    let url;
    try {
      url = new URL(text);
    } catch {
      return { reason: 'オリジンとして読めません' };
    }
    if (url.username !== '' || url.password !== '') return { reason: '利用者名やパスワードは書けません' };
    if (url.pathname !== '/' || url.search !== '' || url.hash !== '' || /[?#]/.test(text)) {
      return { reason: 'パスやクエリは書けません (オリジンだけを書いてください)' };
    }
    return { accepted: url.origin };
  }

  // "https://*.example.com[:port]": the domain must be a name of two labels or more (no
  // top-level domain alone, no IP address).
  function wildcardEntry(scheme, rest) {
    let url;
    try {
      url = new URL(`${scheme}://wildcard.${rest}`);
    } catch {
      return { reason: 'オリジンとして読めません (「*.」の後にはドメイン名と、要ればポートだけを書きます)' };
    }
    const domain = url.hostname.slice('wildcard.'.length);
    if (!url.hostname.startsWith('wildcard.') || /^[0-9.]+$/.test(domain) || domain.startsWith('[')) {
      return { reason: '「*.」の後にはドメイン名を書いてください' };
    }
    if (domain.split('.').filter(Boolean).length < 2) {
      return { reason: 'ドメインが広すぎます (「*.」の後には 2 つ以上の部分からなるドメイン名を書いてください)' };
    }
    return { accepted: `${scheme}://*.${domain}${url.port ? `:${url.port}` : ''}` };
  }

  // Every entry of the policy that is not applied, with the reason: allowedOrigins' entries
  // that policyEntry refuses, and keys whose value has the wrong type.
  function policyRefusals(managed) {
    const m = managed && typeof managed === 'object' ? managed : {};
    const refusals = [];
    if (m.allowedOrigins !== undefined && !Array.isArray(m.allowedOrigins)) {
      refusals.push({ key: 'allowedOrigins', entry: shown(m.allowedOrigins), reason: 'リストではないため、無視しました' });
    }
    for (const entry of Array.isArray(m.allowedOrigins) ? m.allowedOrigins : []) {
      const { reason } = policyEntry(entry);
      if (reason) refusals.push({ key: 'allowedOrigins', entry: shown(entry), reason });
    }
    if (m.userMayAllow !== undefined && typeof m.userMayAllow !== 'boolean') {
      refusals.push({ key: 'userMayAllow', entry: shown(m.userMayAllow),
        reason: 'true か false ではないため、設定されていないもの (true) としました' });
    }
    return refusals;
  }

  function shown(value) {
    const text = typeof value === 'string' ? value : JSON.stringify(value) ?? String(value);
    return text.length > 200 ? `${text.slice(0, 200)}…` : text;
  }

  // Whether the policy's list names this origin (a normalized web origin), exactly or by a
  // subdomain pattern of its scheme and port.
  function presetAllows(policy, origin) {
    for (const entry of policy.presetOrigins) {
      if (entry === origin) return true;
      const star = entry.indexOf('://*.');
      if (star < 0 || !origin.startsWith(entry.slice(0, star + 3))) continue;
      let url;
      try {
        url = new URL(origin);
      } catch {
        return false;
      }
      const [domain, port = ''] = entry.slice(star + 5).split(':');
      if (url.hostname.endsWith(`.${domain}`) && url.port === port) return true;
    }
    return false;
  }

  function unique(origins) {
    return [...new Set(origins)].sort();
  }

  // 'allowed', 'ask' (the user may allow it) or 'forbidden' (nobody here may).
  function consentState(page, userOrigins, policy) {
    if (page.kind === 'file') return 'allowed';
    if (page.kind !== 'web') return 'forbidden';
    if (presetAllows(policy, page.origin)) return 'allowed';
    if (!policy.userMayAllow) return 'forbidden';
    return userOrigins.includes(page.origin) ? 'allowed' : 'ask';
  }

  // A document's state: its own origin's, unless its origin is opaque ('opaque') or an
  // ancestor up to the tab's top is not allowed ('framed', with that ancestor's origin, null
  // when it has none): a page nobody allowed cannot make a frame of an allowed one print.
  function documentConsent(page, ancestors, userOrigins, policy) {
    if (page.kind === 'opaque') return { state: 'opaque' };
    for (const ancestor of ancestors) {
      if (consentState(ancestor, userOrigins, policy) !== 'allowed') {
        return { state: 'framed', origin: ancestor.origin || null };
      }
    }
    return { state: consentState(page, userOrigins, policy) };
  }

  // The user's list as stored: normalized, without duplicates, sorted.
  function withOrigin(userOrigins, origin) {
    const normalized = normalizeOrigin(origin);
    if (!normalized) throw new Error(`not a web origin: ${origin}`);
    return unique([...storedOrigins(userOrigins), normalized]);
  }

  function withoutOrigin(userOrigins, origin) {
    return storedOrigins(userOrigins).filter((o) => o !== origin);
  }

  // Whatever storage holds under the user's key, as a clean list.
  function storedOrigins(value) {
    return Array.isArray(value) ? unique(value.map(normalizeOrigin).filter(Boolean)) : [];
  }

  const api = {
    normalizeOrigin, pageOf, originPage, ancestorPages, readPolicy, consentState, documentConsent, withOrigin, withoutOrigin,
    storedOrigins, policyEntry, policyRefusals, presetAllows,
    USER_ORIGINS_KEY: 'allowedOrigins',
  };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3Origins = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
