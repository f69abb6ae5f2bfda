// A port as the browser hands it out: listeners, what was posted, and whether it was closed.
'use strict';

function fakePort() {
  const listeners = { message: [], disconnect: [] };
  return {
    posted: [],
    disconnected: false,
    onMessage: { addListener: (f) => listeners.message.push(f) },
    onDisconnect: { addListener: (f) => listeners.disconnect.push(f) },
    postMessage(m) { this.posted.push(structuredClone(m)); },
    disconnect() { this.disconnected = true; },
    // the other side speaks or goes away
    receive(m) { for (const f of listeners.message) f(m); },
    close() { for (const f of listeners.disconnect) f(this); },
  };
}

module.exports = { fakePort };
