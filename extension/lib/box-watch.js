// Watches a control's box as the user sees it, for Vant3ClickGuard: whether it is visible
// and whether it moved. Chromium tells visibility itself (IntersectionObserver with
// trackVisibility: not covered, not transparent, not transformed, in every frame up to the
// tab's top). Where the browser cannot (Firefox), the box counts as visible when it is in the
// viewport and neither it, nor an element around it, nor a frame it sits in as far as its
// document can see (same-origin parents), is transparent, hidden, filtered, clipped or
// masked; a parent of another origin must be allowed to print, which the service worker
// checks. A move is seen by an IntersectionObserver whose root hugs the box. Loaded by the
// content script.
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

  // onChange(): whatever the guard says may have changed.
  function watchBox(target, onChange) {
    const guard = createClickGuard();
    let inView = false;
    let visibleByBrowser = false;
    const reassess = () => {
      guard.setVisible(browserTellsVisibility ? visibleByBrowser : inView && styleVisible(target));
      onChange();
    };
    const seen = new IntersectionObserver((entries) => {
      const entry = entries[entries.length - 1];
      inView = entry.isIntersecting;
      visibleByBrowser = browserTellsVisibility && entry.isVisible;
      reassess();
    }, browserTellsVisibility ? { trackVisibility: true, delay: 100, threshold: [0, 1] } : { threshold: [0, 1] });
    seen.observe(target);

    // The root is the box's own rectangle: any move changes the part of the box inside it.
    // The observer speaks after the browser's next rendering, which a click may come before:
    // a click also compares the box's place with the one watched.
    let place = null;
    let watched = '';
    const placeNow = () => {
      const r = target.getBoundingClientRect();
      return `${r.left},${r.top},${r.width},${r.height}`;
    };
    function watchPlace(threshold = 1) {
      if (place) place.disconnect();
      place = null;
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
    watchPlace();
    const onResize = () => {
      guard.disturb();
      onChange();
      watchPlace();
    };
    addEventListener('resize', onResize);

    return {
      // A click counts now.
      accepts() {
        if (placeNow() !== watched) {
          guard.disturb();
          watchPlace();
          return false;
        }
        return guard.accepts() && (browserTellsVisibility || styleVisible(target));
      },
      readyAt: () => guard.readyAt(),
      // The box or the page around it changed.
      disturb() {
        guard.disturb();
        if (browserTellsVisibility) onChange();
        else reassess();
        watchPlace();
      },
      stop() {
        seen.disconnect();
        if (place) place.disconnect();
        removeEventListener('resize', onResize);
      },
    };
  }

  root.Vant3BoxWatch = { watchBox, browserTellsVisibility };
})(globalThis);
