// The window's modal dialogs and the alert sound. Every message is set as
// text, never as markup.

function showModal(id, caption, message) {
  const dialog = document.getElementById(id);
  if (caption !== undefined) dialog.querySelector('.caption').textContent = caption;
  dialog.querySelector('.message').textContent = message;
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => resolve(), { once: true });
    dialog.showModal();
    dialog.querySelector('button').focus();
  });
}

// The warning of a short set, captioned "警告".
export function showWarning(message) {
  return showModal('dlgWarning', '警告', message);
}

// The general error report, captioned with the application title.
export function showError(message) {
  return showModal('dlgError', APPLICATION_TITLE, message);
}

export function showNotice(caption, message) {
  return showModal('dlgNotice', caption, message);
}

// The program file's name before its first ".", letters after the first in
// lower case: tavrimo.wasm gives "tavrimo".
export const APPLICATION_TITLE = 'tavrimo';

let audio = null;

// The asterisk alert: a short falling two-tone chime. A browser that allows
// no sound before the first click just stays silent.
export function beep() {
  try {
    audio ??= new AudioContext();
    const t = audio.currentTime;
    const gain = audio.createGain();
    gain.connect(audio.destination);
    gain.gain.setValueAtTime(0.0001, t);
    gain.gain.exponentialRampToValueAtTime(0.25, t + 0.01);
    gain.gain.exponentialRampToValueAtTime(0.0001, t + 0.45);
    for (const [freq, start] of [[1318.5, 0], [987.8, 0.12]]) {
      const osc = audio.createOscillator();
      osc.type = 'sine';
      osc.frequency.setValueAtTime(freq, t + start);
      osc.connect(gain);
      osc.start(t + start);
      osc.stop(t + 0.45);
    }
  } catch {
    // No audio device: the dialog alone must do.
  }
}
