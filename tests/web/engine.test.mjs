// The engine compiled for the web against the sets worked out independently
// (the same vectors the command line is held to): a mismatch means the web
// build draws differently from the desktop, or the link parameters map to the
// wrong boxes.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { argsToParams, loadEngine, vectors } from './harness.mjs';
import { readParams } from '../../web/js/params.js';

const engine = await loadEngine();

test('every shared vector gives the same set, seeds and answers', () => {
  const cases = vectors();
  assert.ok(cases.length >= 20);
  for (const c of cases) {
    const link = readParams(argsToParams(c.args));
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
  const link = readParams(argsToParams(c.args));
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
  assert.deepEqual(session.problemLines(), want);
  session.delete();
});

test('refusals and the short-set warning come back as the window shows them', () => {
  const defaults = readParams(new URLSearchParams()).boxes;
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

test('link parameters: flags, radio values and oversized or bad values', () => {
  const rows = [
    ['multiple=1&common-denominator=', { rgBaisuu: 1, rgTuubun: 1 }, ''],
    ['multiple=0', { rgBaisuu: 0 }, ''],
    ['count=20&answer-kind=5', { rgQNum: 1, rgAnswer: 5 }, ''],
    ['den-a-from=7', { edtBunbof1: '7', edtBunbob1: '7' }, ''],
    ['den-a-from=7&den-b-from=3', { edtBunbof1: '7', edtBunbob1: '3' }, ''],
    ['answer-kind=6', {}, 'answer-kind には0から5までの数を指定してください'],
    ['count=18', {}, 'count には16か20を指定してください'],
    ['seed=4294967296', {}, 'seed には0から4294967295までの数を指定してください'],
    ['multiple=yes', {}, 'multiple には1を指定するか、値なしで指定してください'],
    [`whole-a-from=${'9'.repeat(5000)}`, {}, 'whole-a-from は200文字までにしてください'],
  ];
  for (const [query, boxes, error] of rows) {
    const link = readParams(new URLSearchParams(query));
    assert.equal(link.error, error, query.slice(0, 40));
    for (const [k, v] of Object.entries(boxes)) assert.equal(link.boxes[k], v, `${query} ${k}`);
  }
});
