// The settings' controls, made from the engine's descriptions of them: the
// window's boxes and groups get their texts, items, hints and initial values
// from there, and the 詳細設定 dialog is built from it row by row. Nothing
// here repeats a setting's name, label, default or range.

const $ = (id) => document.getElementById(id);
const isText = (d) => d.kind === 'box' || d.kind === 'text';

export function groupIndex(name) {
  const checked = document.querySelector(`input[name="${name}"]:checked`);
  return checked ? Number(checked.value) : 0;
}

function setGroupIndex(name, index) {
  const radio = document.querySelector(`input[name="${name}"][value="${index}"]`);
  if (radio) radio.checked = true;
}

function element(tag, props = {}, ...children) {
  const el = Object.assign(document.createElement(tag), props);
  el.append(...children);
  return el;
}

export class SettingControls {
  constructor(engine) {
    this.engine = engine;
    this.all = engine.settingDescriptions();
    this.inWindow = this.all.filter((d) => d.place === 'window');
    this.inDialog = this.all.filter((d) => d.place === 'dialog');
    // The dialog's settings live here between its openings.
    this.dialogValues = Object.fromEntries(this.inDialog.map((d) => [d.control, d.initial]));
  }

  // Texts, items, hints and initial values of the window's controls.
  build() {
    for (const d of this.inWindow) {
      const el = $(d.control);
      if (isText(d)) {
        el.value = d.initial;
        if (d.hint) el.title = d.hint;
        if (d.maxLength > 0) el.maxLength = d.maxLength;
        if (!el.labels?.length) el.setAttribute('aria-label', d.label);
      } else {
        el.querySelector('legend').textContent = d.label;
        d.items.forEach((item, i) => {
          const radio = element('input', { type: 'radio', name: d.control, value: String(i), checked: i === d.initial });
          el.append(element('label', {}, radio, element('span', { textContent: item.text })));
        });
      }
    }
  }

  // Every setting by its control's name, as the engine takes them.
  read() {
    const boxes = { ...this.dialogValues };
    for (const d of this.inWindow) boxes[d.control] = isText(d) ? $(d.control).value : groupIndex(d.control);
    return boxes;
  }

  set(boxes) {
    for (const d of this.inWindow) {
      if (isText(d)) $(d.control).value = boxes[d.control];
      else setGroupIndex(d.control, boxes[d.control]);
    }
    for (const d of this.inDialog) this.dialogValues[d.control] = boxes[d.control];
  }

  // ---- the 詳細設定 dialog ----

  // One row a setting: a check box for a flag, a list for a choice or for a
  // number offered in steps, a box for any other number.
  buildDialog() {
    const rows = $('dlgAdvanced').querySelector('.rows');
    const presets = element('select', { id: 'cmbPreset' },
      element('option', { value: '-1', textContent: '（選ぶと、画面の設定がそのとおりになります）' }),
      ...this.engine.presetNames().map((name, i) => element('option', { value: String(i), textContent: name })));
    rows.append(element('div', { className: 'row' },
      element('label', { htmlFor: 'cmbPreset', textContent: '学年別のおすすめ' }),
      element('span', { className: 'field' }, presets)));
    for (const d of this.inDialog) {
      const id = `dlg-${d.control}`;
      let control;
      if (d.kind === 'flag') {
        control = element('input', { type: 'checkbox', id });
        rows.append(element('div', { className: 'row flag', title: d.hint },
          element('label', {}, control, element('span', { textContent: d.label }))));
        continue;
      }
      if (d.kind === 'choice' || d.offered.length > 0) {
        control = element('select', { id });
      } else {
        control = element('input', { type: 'text', id, inputMode: 'numeric', autocomplete: 'off',
          placeholder: d.offText, size: 6 });
      }
      const unit = d.kind === 'number' && !d.offered.length ? d.unit : '';
      rows.append(element('div', { className: 'row', title: d.hint },
        element('label', { htmlFor: id, textContent: d.label }),
        element('span', { className: 'field' }, control, unit)));
    }
  }

  // The options of a list: a choice's items, or a number's off text and
  // offered values, with the current value among them even when not offered.
  fillList(d, select, value) {
    const options = d.kind === 'choice'
      ? d.items.map((item, i) => [String(i), item.text])
      : [...(d.off !== undefined ? [[String(d.off), d.offText]] : []),
        ...d.offered.map((v) => [String(v), `${v}${d.unit}`])];
    if (d.kind === 'number' && !options.some(([v]) => v === String(value))) {
      options.push([String(value), `${value}${d.unit}`]);
      options.sort((a, b) => Number(a[0]) - Number(b[0]));
    }
    select.replaceChildren(...options.map(([v, text]) => element('option', { value: v, textContent: text })));
    select.value = String(value);
  }

  showInDialog(values) {
    for (const d of this.inDialog) {
      const control = $(`dlg-${d.control}`);
      const value = values[d.control];
      if (d.kind === 'flag') control.checked = value === 1;
      else if (control.tagName === 'SELECT') this.fillList(d, control, value);
      else control.value = value === d.off ? '' : String(value);
    }
  }

  // The dialog's values, or the first refusal of a typed number.
  readDialog() {
    const values = {};
    for (const d of this.inDialog) {
      const control = $(`dlg-${d.control}`);
      if (d.kind === 'flag') {
        values[d.control] = control.checked ? 1 : 0;
      } else if (control.tagName === 'SELECT') {
        values[d.control] = Number(control.value);
      } else {
        const text = control.value.trim();
        if (text === '' && d.off !== undefined) {
          values[d.control] = d.off;
          continue;
        }
        const refusal = this.engine.checkSetting(d.name, text);
        if (refusal) return { error: `${d.label}: ${refusal}`, control };
        values[d.control] = Number(text);
      }
    }
    return { values };
  }

  // Opens the dialog modally. OK takes its settings (and a preset's boxes
  // into the window); キャンセル and Escape change nothing. Resolves true
  // when the window's controls changed.
  openDialog() {
    const dialog = $('dlgAdvanced');
    const error = dialog.querySelector('.error');
    const presets = $('cmbPreset');
    let preset = null; // every setting as the chosen preset makes them
    presets.value = '-1';
    error.textContent = '';
    this.showInDialog(this.dialogValues);
    presets.onchange = () => {
      const index = Number(presets.value);
      preset = index < 0 ? null : this.engine.applyPreset({ ...this.read(), ...this.readDialog().values }, index);
      this.showInDialog(preset ?? this.dialogValues);
    };
    return new Promise((resolve) => {
      const finish = (changed) => {
        dialog.close();
        resolve(changed);
      };
      dialog.querySelector('button[value="ok"]').onclick = () => {
        const read = this.readDialog();
        if (read.error) {
          error.textContent = read.error;
          read.control.focus();
          return;
        }
        if (preset) this.set(preset);
        Object.assign(this.dialogValues, read.values);
        finish(preset !== null);
      };
      dialog.querySelector('button[value="cancel"]').onclick = () => finish(false);
      dialog.oncancel = (e) => {
        e.preventDefault();
        finish(false);
      };
      dialog.showModal();
      presets.focus();
    });
  }
}
