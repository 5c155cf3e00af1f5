// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The page's modal boxes, as the desktop program's: an entry box whose
// default answer typing replaces, a yes/no box where Enter means Yes, and
// a message.

function box(id: string): HTMLDialogElement {
  return document.getElementById(id) as HTMLDialogElement;
}

// The text in the field on OK; "" on キャンセル or Esc.
export function askText(title: string, prompt: string, preset: string): Promise<string> {
  const dialog = box('ask');
  const field = dialog.querySelector('input') as HTMLInputElement;
  dialog.querySelector('h2')!.textContent = title;
  dialog.querySelector('label')!.textContent = prompt;
  field.value = preset;
  return new Promise((resolve) => {
    dialog.onclose = () => resolve(dialog.returnValue === 'ok' ? field.value : '');
    dialog.returnValue = '';
    dialog.showModal();
    field.select();
  });
}

// true for はい, false for いいえ and Esc; Y and N choose as their captions say.
export function askYesNo(title: string, prompt: string): Promise<boolean> {
  const dialog = box('confirm');
  dialog.querySelector('h2')!.textContent = title;
  dialog.querySelector('p')!.textContent = prompt;
  return new Promise((resolve) => {
    dialog.onkeydown = (event) => {
      const answer = { y: 'yes', n: 'no' }[event.key.toLowerCase()];
      if (answer) dialog.close(answer);
    };
    dialog.onclose = () => resolve(dialog.returnValue === 'yes');
    dialog.returnValue = '';
    dialog.showModal();
    (dialog.querySelector('[value=yes]') as HTMLButtonElement).focus();
  });
}

// A message, closed by OK, Enter or Esc.
export function tell(title: string, text: string): void {
  const dialog = box('message');
  dialog.querySelector('h2')!.textContent = title;
  dialog.querySelector('p')!.textContent = text;
  dialog.showModal();
}
