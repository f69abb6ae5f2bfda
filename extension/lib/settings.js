// The extension pages' view of the allowed origins: the user's list where only the
// extension reaches (Vant3ConsentStore) and the administrator's policy in managed storage
// (absent where no policy is set).
(function (root) {
  'use strict';
  const api = typeof browser !== 'undefined' ? browser : chrome;
  const { storedOrigins, readPolicy, policyRefusals } = root.Vant3Origins;
  const store = root.Vant3ConsentStore;

  async function readSettings() {
    const userOrigins = await store.readUserOrigins();
    let managed = {};
    try {
      managed = await api.storage.managed.get(null);
    } catch {
      managed = {};
    }
    return { userOrigins: storedOrigins(userOrigins), policy: readPolicy(managed) };
  }

  // The policy's entries that are not applied, with the reasons (none without a policy).
  async function readPolicyRefusals() {
    try {
      return policyRefusals(await api.storage.managed.get(null));
    } catch {
      return [];
    }
  }

  const writeUserOrigins = (origins) => store.writeUserOrigins(origins);

  function onSettingsChanged(listener) {
    store.onUserOriginsChanged(listener);
    api.storage.onChanged.addListener((changes, area) => {
      if (area === 'managed') listener();
    });
  }

  root.Vant3Settings = { readSettings, readPolicyRefusals, writeUserOrigins, onSettingsChanged };
})(globalThis);
