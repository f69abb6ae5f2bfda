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

  // The administrator's settings from managed storage; wrong types count as not set.
  function readPolicy(managed) {
    const m = managed && typeof managed === 'object' ? managed : {};
    const preset = Array.isArray(m.allowedOrigins) ? m.allowedOrigins : [];
    return {
      presetOrigins: unique(preset.map(normalizeOrigin).filter(Boolean)),
      userMayAllow: m.userMayAllow !== false,
    };
  }

  function unique(origins) {
    return [...new Set(origins)].sort();
  }

  // 'allowed', 'ask' (the user may allow it) or 'forbidden' (nobody here may).
  function consentState(page, userOrigins, policy) {
    if (page.kind === 'file') return 'allowed';
    if (page.kind !== 'web') return 'forbidden';
    if (policy.presetOrigins.includes(page.origin)) return 'allowed';
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
    storedOrigins,
    USER_ORIGINS_KEY: 'allowedOrigins',
  };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3Origins = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
