// The window: its controls, couplings and commands over the engine's session.
// The engine decides everything about sets, sheet numbers and drawings; this
// page only reads the controls, shows dialogs and hands pages to printing.

import { FontSizer, canvasMeasurer, loadSheetFonts, sheetFontsIn } from './fonts.js';
import { PreviewCanvas, matchScreenPixels } from './canvas.js';
import { readParams, writeParams } from './params.js';
import { SettingControls, groupIndex } from './settings.js';
import { beep, showError, showNotice, showWarning } from './dialogs.js';
import { PrintPages } from './printing.js';
import { LinkSharing } from './share.js';

const $ = (id) => document.getElementById(id);

const PRINT_BUTTONS = ['btnPrint', 'btnPrintWithAns', 'btnPrintAns'];

const PRINT_COMMANDS = { btnPrint: 0, btnPrintWithAns: 1, btnPrintAns: 2 };

// The preview box's size in the sheet's reference units.
const PREVIEW_WIDTH = 320;
const PREVIEW_HEIGHT = 441;

// Below the window's width the page is one column (style.css says how).
const narrowScreen = matchMedia('not all and (min-width: 740px)');

// ---- controls ----

// 倍数 only with 通分, keeping its item.
function couple() {
  $('rgBaisuu').disabled = groupIndex('rgTuubun') !== 1;
}

// The items of a group fill its columns column by column, sharing the height
// under the caption, as the desktop's radio groups do. The places are kept as
// properties the window's layout reads, measured in that layout; in one
// column the items flow in the same columns.
function arrangeGroup(group) {
  const items = [...group.querySelectorAll('label')];
  const columns = Number(group.dataset.columns);
  const perColumn = Math.ceil(items.length / columns);
  group.style.setProperty('--columns', String(columns));
  group.style.setProperty('--rows', String(perColumn));
  if (narrowScreen.matches) return;
  const captionHeight = 16;
  const indent = 8;
  const top = captionHeight + 1;
  const { offsetWidth: width, offsetHeight: height } = group;
  const room = Math.max(0, height - top - 4);
  const rowHeight = Math.max(Math.floor(room / perColumn), captionHeight + 1);
  const firstRow = rowHeight * perColumn <= room
    ? top + Math.floor((room - rowHeight * perColumn) / 2)
    : Math.max(captionHeight / 2 + 2, height - 2 - rowHeight * perColumn);
  const columnWidth = Math.floor((width - 2 * indent) / columns);
  items.forEach((item, i) => {
    const column = Math.floor(i / perColumn);
    const row = i % perColumn;
    item.style.setProperty('--left', `${indent + column * columnWidth - 1}px`);
    item.style.setProperty('--top', `${firstRow + row * rowHeight - 1}px`);
    item.style.setProperty('--width', `${columnWidth}px`);
    item.style.setProperty('--height', `${rowHeight}px`);
    item.querySelector('input').tabIndex = Number(group.dataset.tab);
  });
}

// ---- the engine ----

// The engine and the font metrics are all the window needs to work; the
// index.html preloads both, and the sheet's fonts, so nothing waits for a
// module to be parsed before it is asked for.
async function loadEngine() {
  const metricsReady = fetch('fonts/font-metrics.json').then((r) => r.json());
  const moduleReady = new Promise((resolve) => {
    if (window.createTavrimo) resolve();
    else document.querySelector('script[src="tavrimo.js"]').addEventListener('load', resolve, { once: true });
  }).then(() => window.createTavrimo());
  const [metrics, engine] = await Promise.all([metricsReady, moduleReady]);
  return { metrics, engine };
}

// The parts of the sheet's fonts a drawing with this question needs, loading,
// or null when they are in. They must be in before the drawing measures text,
// as a width measured in a fallback face would be kept; the window's own text
// is the style sheet's business alone. A part that cannot load leaves its
// fallback rather than no sheet at all.
function sheetFonts(question) {
  return sheetFontsIn(document.fonts, question) ? null : loadSheetFonts(document.fonts, question).catch(() => {});
}

function clockSeed(engine) {
  const now = new Date();
  return engine.seedFromTimeOfDay(now.getUTCHours(), now.getUTCMinutes(), now.getUTCSeconds(),
    now.getUTCMilliseconds());
}

// The service worker copies the whole site on a first visit; asked for once
// the window works, it does not compete with the start for the connections.
// Its address names the page's build, so that the first visit to a rebuilt
// site installs the new worker whatever the host's caching says.
function keepForOffline() {
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    const build = document.querySelector('meta[name="tavrimo-build"]').content;
    navigator.serviceWorker.register(`sw.js?v=${build}`, { updateViaCache: 'none' }).catch(() => {});
  }
}

// ---- the page ----

async function start() {
  sheetFonts($('QstSentence').value);
  const { metrics, engine } = await loadEngine();
  const measureCtx = document.createElement('canvas').getContext('2d');
  const sizer = new FontSizer(metrics, canvasMeasurer(measureCtx), document.fonts);
  const preview = new PreviewCanvas(sizer, $('PaintBox1').getContext('2d'));
  const printing = new PrintPages(sizer);

  const settings = new SettingControls(engine);
  settings.build();
  settings.buildDialog();
  // Again when the screen comes to the window's layout.
  const arrangeGroups = () => {
    for (const group of document.querySelectorAll('.group')) arrangeGroup(group);
  };
  arrangeGroups();
  narrowScreen.addEventListener('change', arrangeGroups);

  const link = readParams(engine, location.search);
  const session = new engine.Session(link.seed ?? clockSeed(engine));
  let setBoxes = null; // the settings of the current set, for its link

  const boxFace = getComputedStyle(document.documentElement).getPropertyValue('--face').trim();

  function updateLink() {
    if (!setBoxes) return;
    const boxes = { ...setBoxes, PrnNum: $('PrnNum').value, QstSentence: $('QstSentence').value };
    history.replaceState(null, '', `?${writeParams(engine, boxes, session.seedOfSet())}`);
  }

  // The paint box: the shown set's answer sheet once a preview is ready;
  // with a class set, which of its sheets that is.
  function repaint() {
    preview.begin(PREVIEW_WIDTH, PREVIEW_HEIGHT, boxFace);
    const painted = session.paintPreview(preview, settings.read());
    $('previewLines').textContent = painted ? session.problemLines(settings.read()).join('\n') : '';
    const number = (session.printNumber() + session.shownSet()) | 0;
    $('PaintBox1').setAttribute('aria-label',
      painted ? `プレビュー画面: 問題No.${number} ${$('QstSentence').value}` : 'プレビュー画面');
    const sets = session.setCount();
    $('lblSheets').textContent = painted && sets > 1 ? `${session.shownSet() + 1}/${sets}枚` : '';
    $('btnPrevSheet').hidden = $('btnNextSheet').hidden = !(painted && sets > 1);
    $('btnPrevSheet').disabled = session.shownSet() === 0;
    $('btnNextSheet').disabled = session.shownSet() === sets - 1;
    return painted;
  }

  matchScreenPixels($('PaintBox1'), repaint);
  const sharing = new LinkSharing(() => location.href);

  function showSet(step) {
    session.showSet(session.shownSet() + step);
    repaint();
  }

  async function previewCommand() {
    // Only a question with characters new to the page waits for fonts;
    // others draw in the click itself.
    const fontsLoading = sheetFonts($('QstSentence').value);
    if (fontsLoading) await fontsLoading;
    const boxes = settings.read();
    const outcome = session.preview(boxes);
    if (outcome.status === 'refused') {
      await showError(outcome.message);
      repaint();
      return;
    }
    setBoxes = boxes;
    updateLink();
    printing.setChanged();
    sharing.enable();
    if (outcome.status === 'short') {
      beep();
      await showWarning(outcome.message);
    }
    repaint();
    await warnOfALongQuestion();
    if (outcome.previewReady) for (const id of PRINT_BUTTONS) $(id).disabled = false;
  }

  // The command's sheets as SVG pages, then the browser's print dialog once.
  // The browser says nothing about whether the dialog printed or was
  // cancelled, so the number advances when it closes either way.
  const preparePages = (command) =>
    printing.draw((printer) => session.print(command, $('PrnNum').value, settings.read(), printer));

  // The browser's own print: the problem sheets of the set shown, as 印刷
  // would print them now, the number left as it is.
  printing.followBrowserPrint(() => (session.previewReady()
    ? printing.draw((printer) => session.pages(PRINT_COMMANDS.btnPrint, $('PrnNum').value, settings.read(), printer))
    : null));

  // A sentence wider than the sheet would be cut at its edge: say so, once
  // for each wording of it.
  let warnedOf = null;
  async function warnOfALongQuestion() {
    const question = $('QstSentence').value;
    if (question === warnedOf || session.questionFits(preview, question)) return;
    warnedOf = question;
    await showWarning(engine.questionTooWide());
  }

  async function printCommand(id) {
    const fontsLoading = sheetFonts($('QstSentence').value);
    if (fontsLoading) await fontsLoading;
    await warnOfALongQuestion();
    const { outcome, pages } = preparePages(PRINT_COMMANDS[id]);
    if (!outcome.printed) {
      await showError(outcome.message);
      return;
    }
    printing.printCommand(pages);
    $('PrnNum').value = String(session.printNumber());
    updateLink();
  }

  // ---- wiring ----
  $('edtBunbof1').addEventListener('input', () => { $('edtBunbob1').value = $('edtBunbof1').value; });
  $('edtBunbof2').addEventListener('input', () => { $('edtBunbob2').value = $('edtBunbof2').value; });
  for (const radio of document.querySelectorAll('input[name="rgTuubun"]')) radio.addEventListener('change', couple);
  $('QstSentence').addEventListener('input', () => {
    updateLink();
    // The browser's own print draws the sentence as it stands, with no time
    // to wait for a font part: ask for it as it is typed.
    sheetFonts($('QstSentence').value);
  });
  $('PrnNum').addEventListener('input', updateLink);
  $('btnPreview').addEventListener('click', async () => {
    await previewCommand();
    // In one column the preview is below the commands: bring it up.
    if (narrowScreen.matches && session.previewReady()) {
      $('PaintBox1').scrollIntoView({ block: 'nearest', behavior: 'smooth' });
    }
  });
  for (const id of PRINT_BUTTONS) $(id).addEventListener('click', () => printCommand(id));
  $('btnMaintenance').addEventListener('click', () => showNotice('印刷設定',
    'プリンタと用紙は、印刷のときに開くブラウザの印刷画面で選びます。\n' +
    '用紙はA4、向きは縦になります。余白は「なし」か「デフォルト」のままにしてください。'));
  $('btnPrevSheet').addEventListener('click', () => showSet(-1));
  $('btnNextSheet').addEventListener('click', () => showSet(1));
  $('btnAdvanced').addEventListener('click', async () => {
    if (await settings.openDialog()) couple();
  });
  $('btnClose').addEventListener('click', () => {
    window.close();
    // A tab the page did not open stays: start afresh, as a new run would.
    location.replace(location.pathname);
  });
  for (const dialog of document.querySelectorAll('dialog.message-box')) {
    dialog.querySelector('button').addEventListener('click', () => dialog.close());
  }

  settings.set(link.boxes);
  couple();
  repaint();
  document.documentElement.dataset.ready = 'true';
  keepForOffline();
  if (link.error) {
    await showError(link.error);
    return;
  }
  if (link.seed !== null) await previewCommand();
  if (link.unknown.length > 0) {
    await showNotice('リンク', `リンクの「${link.unknown.join('」「')}」は、このTavrimoが知らない設定なので使いませんでした。`);
  }
}

start().catch((e) => {
  document.documentElement.dataset.ready = 'error';
  showError(String(e?.message ?? e));
});
