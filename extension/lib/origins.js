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

  // Where a message came from: a file:// document, a web origin, or something else.
  function pageOf(senderUrl, senderOrigin) {
    if (typeof senderUrl === 'string' && senderUrl.startsWith('file:')) return { kind: 'file' };
    const origin = normalizeOrigin(senderOrigin) || normalizeOrigin(senderUrl);
    return origin ? { kind: 'web', origin } : { kind: 'other' };
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
    normalizeOrigin, pageOf, readPolicy, consentState, withOrigin, withoutOrigin, storedOrigins,
    USER_ORIGINS_KEY: 'allowedOrigins',
  };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3Origins = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
