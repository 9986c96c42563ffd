// The page's link: the settings boxes and the seed of the current set as
// query parameters named like tavrimo-sheets' options. Values go into the
// boxes as text, so a bad one gets the box's own message from the engine.

// The window's initial values, by control name.
export const DEFAULT_BOXES = Object.freeze({
  PrnNum: '1',
  edtIntf1: '0', edtIntf2: '0', edtBunbof1: '2', edtBunbof2: '99',
  edtIntb1: '0', edtIntb2: '0', edtBunbob1: '2', edtBunbob2: '99',
  rgAnswer: 0, rgQNum: 0, rgTuubun: 0, rgBaisuu: 0, rgYakubun: 0,
});

export const DEFAULT_QUESTION = 'つぎの計算をしましょう。';

export const BOX_PARAMS = [
  ['number', 'PrnNum'],
  ['whole-a-from', 'edtIntf1'], ['whole-a-to', 'edtIntf2'],
  ['den-a-from', 'edtBunbof1'], ['den-a-to', 'edtBunbof2'],
  ['whole-b-from', 'edtIntb1'], ['whole-b-to', 'edtIntb2'],
  ['den-b-from', 'edtBunbob1'], ['den-b-to', 'edtBunbob2'],
];

export const FLAG_PARAMS = [
  ['common-denominator', 'rgTuubun'],
  ['multiple', 'rgBaisuu'],
  ['reduce-operands', 'rgYakubun'],
];

// Longer values are refused before they reach a box or the sheet: no
// setting needs them, and a link must never make the page crawl.
export const MAX_VALUE_LENGTH = 200;

const SEED_MESSAGE = 'seed には0から4294967295までの数を指定してください';
const ANSWER_KIND_MESSAGE = 'answer-kind には0から5までの数を指定してください';
const COUNT_MESSAGE = 'count には16か20を指定してください';
const flagMessage = (name) => `${name} には1を指定するか、値なしで指定してください`;
const lengthMessage = (name) => `${name} は${MAX_VALUE_LENGTH}文字までにしてください`;

// params: a URLSearchParams. Returns { boxes, question, seed (a number or
// null), error ('' or the first refusal's message) }.
export function readParams(params) {
  const boxes = { ...DEFAULT_BOXES };
  let question = DEFAULT_QUESTION;
  let seed = null;
  const errors = [];
  const value = (name) => {
    const v = params.get(name);
    if (v !== null && v.length > MAX_VALUE_LENGTH) {
      errors.push(lengthMessage(name));
      return null;
    }
    return v;
  };

  for (const [name, box] of BOX_PARAMS) {
    const v = value(name);
    if (v !== null) boxes[box] = v;
  }
  // b's denominators follow a's unless given, as the boxes do while typing.
  if (!params.has('den-b-from')) boxes.edtBunbob1 = boxes.edtBunbof1;
  if (!params.has('den-b-to')) boxes.edtBunbob2 = boxes.edtBunbof2;

  const kind = value('answer-kind');
  if (kind !== null) {
    if (/^[0-5]$/.test(kind)) boxes.rgAnswer = Number(kind);
    else errors.push(ANSWER_KIND_MESSAGE);
  }
  const count = value('count');
  if (count !== null) {
    if (count === '16' || count === '20') boxes.rgQNum = count === '20' ? 1 : 0;
    else errors.push(COUNT_MESSAGE);
  }
  for (const [name, group] of FLAG_PARAMS) {
    const v = value(name);
    if (v === null) continue;
    if (v === '' || v === '1') boxes[group] = 1;
    else if (v !== '0') errors.push(flagMessage(name));
  }
  const q = value('question');
  if (q !== null) question = q;
  const s = value('seed');
  if (s !== null) {
    if (/^[0-9]{1,10}$/.test(s) && Number(s) <= 0xffffffff) seed = Number(s);
    else errors.push(SEED_MESSAGE);
  }
  return { boxes, question, seed, error: errors[0] ?? '' };
}

// The link of a set: every setting, the question and the set's seed.
export function writeParams(boxes, question, seed) {
  const params = new URLSearchParams();
  if (seed !== null && seed !== undefined) params.set('seed', String(seed));
  for (const [name, box] of BOX_PARAMS) params.set(name, boxes[box]);
  params.set('answer-kind', String(boxes.rgAnswer));
  params.set('count', boxes.rgQNum === 1 ? '20' : '16');
  for (const [name, group] of FLAG_PARAMS) if (boxes[group] === 1) params.set(name, '1');
  params.set('question', question);
  return params;
}
