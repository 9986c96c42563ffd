// リンクをコピー and 共有: the link of the sheet shown, the address the page
// keeps, to the clipboard or to the system's share sheet where the browser
// offers one. Both wait for a preview: before it there is no sheet to link.

const $ = (id) => document.getElementById(id);

const SAID_FOR_MS = 4000;

export class LinkSharing {
  // linkOf() gives the link of the sheet shown.
  constructor(linkOf) {
    this.linkOf = linkOf;
    this.copy = $('btnCopyLink');
    this.share = $('btnShareLink');
    this.field = $('linkField');
    this.status = $('linkStatus');
    this.timer = 0;
    this.share.hidden = typeof navigator.share !== 'function';
    this.copy.addEventListener('click', () => this.copyLink());
    this.share.addEventListener('click', () => this.shareLink());
  }

  enable() {
    this.copy.disabled = false;
    this.share.disabled = false;
    this.copy.title = 'このプリントのリンクをコピーする';
  }

  say(text) {
    clearTimeout(this.timer);
    this.status.textContent = text;
    this.timer = setTimeout(() => { this.status.textContent = ''; }, SAID_FOR_MS);
  }

  // Without the clipboard (an older browser, a page not served securely, a
  // refused permission) the link waits selected in a read-only field.
  async copyLink() {
    const link = this.linkOf();
    try {
      await navigator.clipboard.writeText(link);
      this.field.hidden = true;
      this.say('リンクをコピーしました');
    } catch {
      this.field.value = link;
      this.field.hidden = false;
      this.field.focus();
      this.field.select();
      // The field shows the link's start, not its seed.
      this.field.scrollLeft = 0;
      clearTimeout(this.timer);
      this.status.textContent = 'コピーしてください';
    }
  }

  async shareLink() {
    try {
      await navigator.share({ title: document.title, url: this.linkOf() });
    } catch (e) {
      // Closing the share sheet is no fault; anything else falls back to copying.
      if (e?.name !== 'AbortError') await this.copyLink();
    }
  }
}
