// The page's link: the settings and the seed of the sheet shown, under the
// names of tavrimo-sheets' options. The engine reads and writes them by the
// rule the command line reads its options by, so a link and the command line
// take the same values the same way.

// search: a URLSearchParams or a query string. Returns { boxes (every
// setting by control), seed (a number or null), error ('' or the first
// refusal), unknown (names no setting has) }.
export function readParams(engine, search) {
  return engine.readLink([...new URLSearchParams(search)]);
}

// The link of a set, its version first.
export function writeParams(engine, boxes, seed) {
  return new URLSearchParams(engine.writeLink(boxes, seed ?? null));
}
