// The engine compiled for the web against the sets worked out independently
// (the same vectors the command line is held to): a mismatch means the web
// build draws differently from the desktop, or the link parameters map to the
// wrong boxes.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { argsToParams, loadEngine, vectors } from './harness.mjs';
import { readParams, writeParams } from '../../web/js/params.js';

const engine = await loadEngine();

test('every shared vector gives the same set, seeds and answers', () => {
  const cases = vectors();
  assert.ok(cases.length >= 20);
  for (const c of cases) {
    const link = readParams(engine, argsToParams(c.args));
    assert.equal(link.error, '', c.note);
    const [want] = c.expected;
    const session = new engine.Session(link.seed);
    const outcome = session.preview(link.boxes);
    const got = {
      seed: session.seedOfSet(),
      next_seed: session.seed(),
      print_number: session.printNumber(),
      question_count: session.questionCount(),
      complete: outcome.status === 'complete',
      problems: session.problems().map(([minuend, subtrahend, answer]) => ({ minuend, subtrahend, answer })),
    };
    assert.deepEqual(got, want, c.note);
    assert.equal(outcome.status === 'short', !want.complete, c.note);
    session.delete();
  }
});

test('problem lines read as tavrimo-sheets prints them', () => {
  const [c] = vectors();
  const link = readParams(engine, argsToParams(c.args));
  const session = new engine.Session(link.seed);
  session.preview(link.boxes);
  const text = (m) => {
    const [w, n, d] = m;
    const parts = [];
    if (w !== 0 || n <= 0) parts.push(String(w));
    if (n > 0) parts.push(`${n}/${d}`);
    return parts.join(' ');
  };
  const want = c.expected[0].problems.map((p, i) =>
    `${i + 1}: ${text(p.minuend)} - ${text(p.subtrahend)} = ${text(p.answer)}`);
  assert.deepEqual(session.problemLines({}), want);
  session.delete();
});

test('refusals and the short-set warning come back as the window shows them', () => {
  const defaults = readParams(engine, '').boxes;
  const rows = [
    { note: 'a letter in a box', boxes: { edtIntf2: 'x' }, status: 'refused', message: "'x' は整数ではありません." },
    { note: 'an empty box', boxes: { edtIntb1: '' }, status: 'refused', message: "'' は整数ではありません." },
    { note: 'a bad sheet number', boxes: { PrnNum: '1a' }, status: 'refused', message: "'1a' は整数ではありません." },
    { note: 'no denominators', boxes: { edtBunbof1: '0', edtBunbof2: '0', edtBunbob1: '0', edtBunbob2: '0' },
      status: 'short', message: '今の条件では、指定された問題数が確保できません。' },
  ];
  for (const row of rows) {
    const session = new engine.Session(1);
    const outcome = session.preview({ ...defaults, ...row.boxes });
    assert.equal(outcome.status, row.status, row.note);
    assert.equal(outcome.message, row.message, row.note);
    assert.equal(outcome.previewReady, false, row.note);
    session.delete();
  }
});

// The rule itself is the core's (its own tests); here, that the page reaches it.
test('links are read and written by the engine, every setting by its control', () => {
  const rows = [
    ['multiple=1&common-denominator=&count=020', { rgBaisuu: 1, rgTuubun: 1, rgQNum: 1 }, ''],
    ['den-a-from=7&seed=1&seed=2', { edtBunbof1: '7', edtBunbob1: '7' }, ''],
    ['borrow-mix=50&easy-first=1&max-common-denominator=36&sheets=30', { borrowMix: 50, easyFirst: 1,
      maxCommonDenominator: 36, sheets: 30 }, ''],
    ['answer-kind=6', {}, 'answer-kind: 分数部分だけの答えには0、1、2、3、4、5のどれかを指定してください.'],
    ['v=2', {}, 'v: このリンクは新しい版のTavrimoで作られました'],
  ];
  for (const [query, boxes, error] of rows) {
    const link = readParams(engine, query);
    assert.ok(link.error.startsWith(error), `${query}: ${link.error}`);
    for (const [k, v] of Object.entries(boxes)) assert.equal(link.boxes[k], v, `${query} ${k}`);
  }
  assert.equal(readParams(engine, 'seed=1&seed=2').seed, 2);
  assert.deepEqual(readParams(engine, 'sed=1&seed=3').unknown, ['sed']);
  const boxes = { ...readParams(engine, '').boxes, borrowMix: 25, QstSentence: 'あ&b=c' };
  const written = writeParams(engine, boxes, 77);
  assert.equal(written.get('v'), '1');
  assert.deepEqual(readParams(engine, written.toString()).boxes, boxes);
});

test('the engine refuses what no control holds', () => {
  const session = new engine.Session(1);
  for (const [control, value] of [['rgQNum', 2], ['rgAnswer', 1e12], ['sheets', 0]]) {
    const outcome = session.preview({ [control]: value });
    assert.equal(outcome.status, 'refused', control);
    assert.equal(session.questionCount(), 0, control);
  }
  const printed = session.print(7, '1', {}, { pageWidth: () => 10, pageHeight: () => 10 });
  assert.equal(printed.printed, false);
  assert.equal(printed.message, '印刷の指示「7」はありません.');
  session.delete();
});
