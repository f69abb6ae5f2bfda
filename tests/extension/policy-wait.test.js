'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { policyState, POLICY_WAIT_MS } = require('../../extension/lib/policy-wait.js');

const cases = [
  ['Firefox reads it when asked, even none', { managed: {}, readAtOnce: true, sessionStart: 0, now: 0 }, { known: true, retryInMs: 0 }],
  ['Chromium: a policy has come', { managed: { userMayAllow: false }, readAtOnce: false, sessionStart: 0, now: 10 }, { known: true, retryInMs: 0 }],
  ['Chromium: none yet, just started', { managed: {}, readAtOnce: false, sessionStart: 1000, now: 4000 },
    { known: false, retryInMs: POLICY_WAIT_MS - 3000 }],
  ['Chromium: none after the wait', { managed: {}, readAtOnce: false, sessionStart: 0, now: POLICY_WAIT_MS }, { known: true, retryInMs: 0 }],
  ['Chromium: storage gave nothing', { managed: undefined, readAtOnce: false, sessionStart: 0, now: 1 }, { known: false, retryInMs: POLICY_WAIT_MS - 1 }],
  ['the clock set back', { managed: {}, readAtOnce: false, sessionStart: 5000, now: 1000 }, { known: false, retryInMs: POLICY_WAIT_MS }],
];
for (const [name, input, want] of cases) {
  test(`policy: ${name}`, () => assert.deepEqual(policyState(input), want));
}
