// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// What the page copies, as the desktop program copies it.

import { tell } from './boxes';

// On the clipboard; where the browser allows none, a message says so
// rather than nothing.
export async function copy(text: string): Promise<void> {
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    tell('コピー', 'コピーできませんでした。このブラウザーではクリップボードを使えません。');
  }
}

// Ctrl+C, unless the pupil has selected text on the page: that is the
// browser's to copy.
export function isCopyKey(event: KeyboardEvent): boolean {
  return event.ctrlKey && event.key === 'c' && getSelection()?.isCollapsed !== false;
}
