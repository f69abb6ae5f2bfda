// The extension pages' view of the allowed origins: the user's list in local storage and
// the administrator's policy in managed storage (absent where no policy is set).
(function (root) {
  'use strict';
  const api = typeof browser !== 'undefined' ? browser : chrome;
  const { USER_ORIGINS_KEY, storedOrigins, readPolicy, policyRefusals } = root.Vant3Origins;

  async function readSettings() {
    const local = await api.storage.local.get(USER_ORIGINS_KEY);
    let managed = {};
    try {
      managed = await api.storage.managed.get(null);
    } catch {
      managed = {};
    }
    return { userOrigins: storedOrigins(local[USER_ORIGINS_KEY]), policy: readPolicy(managed) };
  }

  // The policy's entries that are not applied, with the reasons (none without a policy).
  async function readPolicyRefusals() {
    try {
      return policyRefusals(await api.storage.managed.get(null));
    } catch {
      return [];
    }
  }

  async function writeUserOrigins(origins) {
    await api.storage.local.set({ [USER_ORIGINS_KEY]: origins });
  }

  function onSettingsChanged(listener) {
    api.storage.onChanged.addListener((changes, area) => {
      if (area === 'local' || area === 'managed') listener();
    });
  }

  root.Vant3Settings = { readSettings, readPolicyRefusals, writeUserOrigins, onSettingsChanged };
})(globalThis);
