// The printed pages: the engine draws a print command's sheets onto SVG pages,
// A4 portrait, one sheet a page, held in #print-pages for the browser to
// print. What the browser's own print (Ctrl+P, its menu) gets is always the
// set shown; a print command's pages stand in only for its own dialog.

import { SvgPage } from './canvas.js';

const $ = (id) => document.getElementById(id);

// A4 less a 5 mm margin on every side, in device pixels at 600 dpi.
const PAGE_DPI = 600;
const mmToDevice = (mm) => Math.round((mm / 25.4) * PAGE_DPI);
const PAGE_WIDTH = mmToDevice(200);
const PAGE_HEIGHT = mmToDevice(287);

export class PrintPages {
  constructor(sizer) {
    this.sizer = sizer;
    this.holder = $('print-pages');
    this.notice = $('print-notice');
    this.noPreview = this.notice.textContent;
    // Set while a print command's own pages wait for its dialog to close.
    this.commandPending = false;
    this.pageTitle = null;
  }

  // The pages the engine draws: draw(printer) calls one of the session's
  // print methods with the collector and returns its outcome.
  draw(draw) {
    const { sizer } = this;
    const pages = [];
    let current = null;
    const printer = {
      pageWidth: () => PAGE_WIDTH,
      pageHeight: () => PAGE_HEIGHT,
      beginJob: (title, number, answers) => {
        current = new SvgPage(sizer, document, PAGE_WIDTH, PAGE_HEIGHT);
        current.svg.dataset.sheetNumber = String(number);
        current.svg.dataset.answers = answers ? '1' : '0';
        current.title = title;
        return current;
      },
      newPage: () => {
        pages.push(current);
        const previous = pages.at(-1);
        current = new SvgPage(sizer, document, PAGE_WIDTH, PAGE_HEIGHT);
        Object.assign(current.svg.dataset, previous.svg.dataset);
        current.title = previous.title;
        return current;
      },
      endJob: () => pages.push(current),
    };
    const outcome = draw(printer);
    return { outcome, pages };
  }

  // The pages to print, the document titled as their job (a saved PDF's
  // name and the printed header, where the browser adds one).
  show(pages) {
    this.holder.replaceChildren(...pages.map((p) => {
      const page = document.createElement('div');
      page.className = 'page';
      page.append(p.svg);
      return page;
    }));
    this.pageTitle ??= document.title;
    document.title = pages[0].title;
  }

  // No sheet: one page that says why.
  showNotice(message = this.noPreview) {
    this.holder.replaceChildren();
    this.notice.textContent = message;
  }

  restoreTitle() {
    if (this.pageTitle !== null) document.title = this.pageTitle;
    this.pageTitle = null;
  }

  // A print command: its pages, then the browser's print dialog once.
  printCommand(pages) {
    this.show(pages);
    this.commandPending = true;
    window.print();
    this.restoreTitle();
  }

  // The browser's own print takes the set shown as drawn now: drawSet()
  // draws its pages, or returns null before there is one. A command's pages
  // stay for its own dialog, until it closes or the set changes.
  followBrowserPrint(drawSet) {
    window.addEventListener('beforeprint', () => {
      if (this.commandPending) return;
      const drawn = drawSet();
      if (!drawn) this.showNotice();
      else if (!drawn.outcome.printed) this.showNotice(drawn.outcome.message);
      else this.show(drawn.pages);
    });
    window.addEventListener('afterprint', () => {
      this.commandPending = false;
      this.restoreTitle();
    });
  }

  setChanged() {
    this.commandPending = false;
  }
}
