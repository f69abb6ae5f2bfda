// Whether the administrator's policy is known yet. Firefox reads managed storage from its
// files when asked, so its first answer is the policy (or its absence). Chromium delivers a
// policy to managed storage some seconds after the browser started and gives no sign when
// there is none: until one has come, the policy is known only POLICY_WAIT_MS after the
// session started. Until it is known nothing is shown and no document is answered, so that
// an origin the policy forbids never prints at start. Loaded by the service worker and node's tests.
(function (root) {
  'use strict';

  const POLICY_WAIT_MS = 10000;

  // managed: what managed storage holds now; readAtOnce: the browser reads it when asked;
  // sessionStart, now: milliseconds. Returns { known, retryInMs } (retryInMs when not known).
  function policyState({ managed, readAtOnce, sessionStart, now }) {
    const arrived = managed != null && typeof managed === 'object' && Object.keys(managed).length > 0;
    if (readAtOnce || arrived) return { known: true, retryInMs: 0 };
    const waited = now - sessionStart;
    if (waited >= POLICY_WAIT_MS) return { known: true, retryInMs: 0 };
    // A start in the future (the clock was set back): the whole wait from now.
    return { known: false, retryInMs: waited >= 0 ? POLICY_WAIT_MS - waited : POLICY_WAIT_MS };
  }

  const api = { policyState, POLICY_WAIT_MS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.Vant3PolicyWait = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
