// An init script for a page under measurement: the moment the page says it
// is interactive (data-ready="true"), noted by the page itself in
// window.readyAt. Shared by the web bench and the first-visit test.
export const noteReady = () => {
  new MutationObserver((_, observer) => {
    if (document.documentElement.dataset.ready !== 'true') return;
    window.readyAt = performance.now();
    observer.disconnect();
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
};
