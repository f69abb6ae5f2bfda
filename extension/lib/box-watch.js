// Watches a control's box as the user sees it, for Vant3ClickGuard: whether it is visible
// and whether it moved. Chromium tells visibility itself (IntersectionObserver with
// trackVisibility: not covered, not transparent, not transformed, in every frame up to the
// tab's top). Where the browser cannot (Firefox), the box counts as visible when it is in the
// viewport and neither it, nor an element around it, nor a frame it sits in as far as its
// document can see (same-origin parents), is transparent, hidden, filtered, clipped or
// masked; a parent of another origin must be allowed to print, which the service worker
// checks. In both browsers a button counts only when most of it shows (SHOWN_RATIO of it, not
// clipped away by a box smaller than its buttons, by the box's surroundings, the viewport or a
// frame) and, at the click, is not covered: Chromium tells that, Firefox looks at what stands
// on the button's points. A move is seen by an IntersectionObserver whose root
// hugs the box. Loaded by the content script.
(function (root) {
  'use strict';
  const { createClickGuard } = root.Vant3ClickGuard;

  const browserTellsVisibility = typeof IntersectionObserverEntry !== 'undefined' &&
    'isVisible' in IntersectionObserverEntry.prototype;

  function styleVisible(element) {
    for (let node = element; node;) {
      const view = node.ownerDocument.defaultView;
      for (let e = node; e; e = e.parentElement) {
        const style = view.getComputedStyle(e);
        if (Number(style.opacity) < 1 || style.visibility !== 'visible' || style.filter !== 'none' ||
            style.getPropertyValue('clip-path') !== 'none' || style.getPropertyValue('mask-image') !== 'none') {
          return false;
        }
      }
      let frame = null;
      try {
        frame = view.frameElement;  // null in a frame of another origin
      } catch {
        frame = null;
      }
      node = frame;
    }
    return true;
  }

  // How much of a button must show for the user to know it: three quarters (a page's box may
  // be a little smaller than its buttons: a 33 px button 8 px down in a 36 px high OBJECT
  // shows 28 px; a 1 px box shows nothing of them).
  const SHOWN_RATIO = 0.75;

  // Firefox: whether anything of the page stands on the button's middle and near its corners.
  // Hit testing passes over elements that let clicks through (pointer-events: none), the very
  // ones a page lays over a button it wants clicked: for the look, every element takes
  // pointer events (a rule the page's own inline "!important" would beat).
  const PROBE_MARK = 'data-vant3-probe';
  function uncovered(button, host) {
    const doc = host.ownerDocument;
    const probe = doc.createElement('style');
    probe.setAttribute(PROBE_MARK, '');
    probe.textContent = '* { pointer-events: auto !important; }';
    doc.documentElement.append(probe);
    try {
      const r = button.getBoundingClientRect();
      const inset = Math.min(3, r.width / 4, r.height / 4);
      const points = [[r.left + r.width / 2, r.top + r.height / 2], [r.left + inset, r.top + inset],
        [r.right - inset, r.top + inset], [r.left + inset, r.bottom - inset], [r.right - inset, r.bottom - inset]];
      return points.every(([x, y]) => doc.elementFromPoint(x, y) === host);
    } finally {
      probe.remove();
    }
  }

  // One visibility observer and one resize listener serve every box of the document: a page
  // may hold thousands of boxes.
  const watching = new Map();  // box -> its watch's entry handler
  let seen = null;
  function seenObserver() {
    if (!seen) {
      seen = new IntersectionObserver((entries) => {
        for (const entry of entries) {
          const handler = watching.get(entry.target);
          if (handler) handler(entry);
        }
      }, browserTellsVisibility ? { trackVisibility: true, delay: 100, threshold: [0, 1] } : { threshold: [0, 1] });
      addEventListener('resize', () => {
        for (const target of watching.keys()) watching.get(target).resized();
      });
    }
    return seen;
  }

  const buttonHandlers = new Map();  // button -> its watch's entry handler
  let buttonsSeen = null;
  function buttonObserver() {
    if (!buttonsSeen) {
      buttonsSeen = new IntersectionObserver((entries) => {
        for (const entry of entries) {
          const handler = buttonHandlers.get(entry.target);
          if (handler) handler(entry);
        }
      }, browserTellsVisibility ? { trackVisibility: true, delay: 100, threshold: [0, SHOWN_RATIO, 1] }
        : { threshold: [0, SHOWN_RATIO, 1] });
    }
    return buttonsSeen;
  }

  // onChange(): whatever the guard says may have changed.
  function watchBox(target, onChange) {
    const guard = createClickGuard();
    let inView = false;
    let visibleByBrowser = false;
    const buttons = new Map();  // button -> { ratio, visible } as last observed
    const shown = (b) => b !== undefined && b.ratio >= SHOWN_RATIO && (!browserTellsVisibility || b.visible);
    const buttonsShown = () => [...buttons.values()].some(shown);
    const reassess = () => {
      guard.setVisible(buttonsShown() && (browserTellsVisibility ? visibleByBrowser : inView && styleVisible(target)));
      onChange();
    };
    const onButtonEntry = (entry) => {
      if (!buttons.has(entry.target)) return;
      buttons.set(entry.target, { ratio: entry.intersectionRatio, visible: browserTellsVisibility && entry.isVisible });
      reassess();
    };
    function unwatchButtons() {
      for (const button of buttons.keys()) {
        buttonHandlers.delete(button);
        if (buttonsSeen) buttonsSeen.unobserve(button);
      }
      buttons.clear();
    }

    // Where a box in view stands is watched by an observer whose root is the box's own
    // rectangle: any move changes the part of the box inside it. (A box out of view cannot be
    // clicked; it is watched again when it comes into view.) The observer speaks after the
    // browser's next rendering, which a click may come before: a click also compares the
    // box's place with the one watched.
    let place = null;
    let watched = '';
    const placeNow = () => {
      const r = target.getBoundingClientRect();
      return `${r.left},${r.top},${r.width},${r.height}`;
    };
    function unwatchPlace() {
      if (place) place.disconnect();
      place = null;
      watched = '';
    }
    function watchPlace(threshold = 1) {
      unwatchPlace();
      if (!inView) return;
      watched = placeNow();
      const rect = target.getBoundingClientRect();
      const viewport = target.ownerDocument.documentElement;
      if (!(rect.width > 0 && rect.height > 0)) return;
      const insets = [rect.top, viewport.clientWidth - rect.right, viewport.clientHeight - rect.bottom, rect.left];
      const rootMargin = insets.map((inset) => `${-Math.floor(inset)}px`).join(' ');
      let first = true;
      place = new IntersectionObserver((entries) => {
        const ratio = entries[entries.length - 1].intersectionRatio;
        if (first) {
          first = false;
          // Partly clipped by a scrolling ancestor: watch from the part that shows.
          if (Math.abs(ratio - threshold) > 1e-3 && threshold === 1 && ratio > 0) watchPlace(ratio);
          return;
        }
        guard.disturb();
        onChange();
        watchPlace();
      }, { root: target.ownerDocument, rootMargin, threshold });
      place.observe(target);
    }

    const handler = (entry) => {
      const wasInView = inView;
      inView = entry.isIntersecting;
      visibleByBrowser = browserTellsVisibility && entry.isVisible;
      if (inView !== wasInView) {
        if (inView) watchPlace();
        else unwatchPlace();
      }
      reassess();
    };
    handler.resized = () => {
      guard.disturb();
      onChange();
      watchPlace();
    };
    watching.set(target, handler);
    seenObserver().observe(target);

    return {
      // A click on button (or on any of the box's) counts now (look: whether to look what
      // stands on it, Firefox's one costly step, done at a click or a key's press, not for the
      // mark of readiness).
      accepts(look = true, button = null) {
        if (!inView || placeNow() !== watched) {
          guard.disturb();
          watchPlace();
          return false;
        }
        if (!guard.accepts() || (button !== null && !shown(buttons.get(button)))) return false;
        if (browserTellsVisibility) return true;
        const looked = button !== null ? [button] : [...buttons.keys()].filter((b) => shown(buttons.get(b)));
        if (!styleVisible(target) || (look && !looked.every((b) => uncovered(b, target)))) {
          guard.disturb();
          return false;
        }
        return true;
      },
      // The buttons the user must see now (none: nothing to click).
      buttons(elements) {
        unwatchButtons();
        for (const button of elements) {
          buttons.set(button, { ratio: 0, visible: false });
          buttonHandlers.set(button, onButtonEntry);
          buttonObserver().observe(button);
        }
        reassess();
      },
      readyAt: () => guard.readyAt(),
      // The box or the page around it changed.
      disturb() {
        guard.disturb();
        watchPlace();
        if (browserTellsVisibility) onChange();
        else reassess();
      },
      stop() {
        unwatchButtons();
        watching.delete(target);
        if (seen) seen.unobserve(target);
        unwatchPlace();
      },
    };
  }

  root.Vant3BoxWatch = { watchBox, browserTellsVisibility, PROBE_MARK };
})(globalThis);
