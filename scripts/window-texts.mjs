#!/usr/bin/env node
// The texts the window shows from the start that the engine gives it, one a
// line: the groups' captions and items and the boxes' initial values. The web
// fonts' first parts are made for them (scripts/make-web-fonts).
//   usage: window-texts.mjs TAVRIMO_JS
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';

const script = resolve(process.argv[2]);
const create = createRequire(import.meta.url)(script);
const engine = await create({ wasmBinary: readFileSync(script.replace(/\.js$/, '.wasm')) });
for (const d of engine.settingDescriptions()) {
  if (d.place !== 'window') continue;
  // A box's label names it for screen readers only; a group's is its caption.
  const shown = d.kind === 'box' || d.kind === 'text' ? [d.initial] : [d.label, ...d.items.map((item) => item.text)];
  console.log(shown.join('\n'));
}
