// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// 「一晩の様子」: one evening of the main window's guests, guest by guest,
// as the desktop's evening window tells it: a chart of the coin stock (as
// SVG), a line of words per guest, said in a polite live region, and at the
// end the lowest point and the table's class it falls in. Earlier evenings
// stay on the chart, fainter.

import { list, type Core } from './core';
import { draw, points } from './svg';

const byId = (id: string) => document.getElementById(id) as HTMLElement;
const button = (id: string) => byId(id) as HTMLButtonElement;

// Up to about ten evenings on the chart: the one watched and these.
const EARLIER_EVENINGS = 9;
const [WIDTH, HEIGHT, LINE] = [600, 260, 18];

interface Watched {
  seed: string;
  stocks: number[];
  steps: string[];
  answer: string;
  tableClass: number;
  lowest: number;
}

export class EveningView {
  private evenings: Watched[] = [];
  private number = 0;
  private served = 0;
  private timer: number | undefined;
  private guests = 0;
  private readonly dialog = byId('evening') as HTMLDialogElement;
  private readonly seedBox = byId('seed') as HTMLInputElement;
  private readonly speed = byId('speed') as HTMLInputElement;

  // landed: the class the evening came to, or 0 as another begins.
  constructor(private readonly core: Core, private readonly landed: (tableClass: number) => void) {
    button('serveOne').onclick = () => this.serveOneGuest();
    button('play').onclick = () => this.playOrPause();
    button('serveAll').onclick = () => this.serveAll();
    button('nextEvening').onclick = () => this.start(core.drawSeed());
    button('closeEvening').onclick = () => this.dialog.close();
    this.dialog.onclose = () => this.pause();
    this.dialog.onkeydown = (event) => this.keyDown(event);
    // A seed typed but not started leaves with the focus.
    this.seedBox.onblur = () => (this.seedBox.value = this.watched.seed);
    this.speed.oninput = () => this.timer !== undefined && (this.pause(), this.playOrPause());
  }

  private get watched(): Watched {
    return this.evenings[this.evenings.length - 1];
  }

  private get finished(): boolean {
    return this.served === this.guests;
  }

  // A new window's worth: no earlier evenings, a drawn seed.
  open(guests: number): void {
    this.guests = guests;
    this.evenings = [];
    this.number = 0;
    byId('seedLabel').textContent = `お客人数 ${guests} 人　乱数の種`;
    this.dialog.showModal();
    this.start(this.core.drawSeed());
  }

  // The window's own keys, where the focused control has no use for them:
  // a button keeps Space and Enter, which press it, and the arrows, which
  // move on; the seed box what it types with; the slider its arrows, Home
  // and End.
  private keyDown(event: KeyboardEvent): void {
    const target = event.target as HTMLElement;
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    if (target === this.seedBox) {
      if (event.key === 'Enter') this.startTypedSeed();
      else return;
    } else if (target === this.speed && /^(Arrow|Home|End|Page)/.test(event.key)) {
      return;
    } else if (target instanceof HTMLButtonElement && [' ', 'Enter'].includes(event.key)) {
      return;
    } else if (target instanceof HTMLButtonElement && /^Arrow/.test(event.key)) {
      // A button passes the arrows on to its neighbours, as on the desktop.
      const buttons = [...this.dialog.querySelectorAll<HTMLButtonElement>('.buttons button:enabled')];
      const step = ['ArrowRight', 'ArrowDown'].includes(event.key) ? 1 : buttons.length - 1;
      buttons[(buttons.indexOf(target) + step) % buttons.length].focus();
    } else if (event.key === ' ' || event.key === 'ArrowRight') {
      this.serveOneGuest();
    } else if (event.key === 'Enter') {
      this.playOrPause();
    } else if (event.key === 'End') {
      this.serveAll();
    } else if (event.key.toLowerCase() === 'n') {
      this.start(this.core.drawSeed());
    } else {
      return;
    }
    event.preventDefault();
  }

  private serveOneGuest(): void {
    if (this.finished) return;
    this.pause();
    this.serve(1);
  }

  private serveAll(): void {
    this.serve(this.guests - this.served);
  }

  private playOrPause(): void {
    if (this.timer !== undefined) {
      this.pause();
    } else if (!this.finished) {
      this.timer = window.setInterval(() => this.serve(1), 1000 / Number(this.speed.value));
      button('play').textContent = '止める';
    }
  }

  private pause(): void {
    clearInterval(this.timer);
    this.timer = undefined;
    button('play').textContent = '続けて';
  }

  private startTypedSeed(): void {
    if (this.start(this.seedBox.value)) return;
    byId('seedRefusal').textContent = '種には 0〜18446744073709551615 の整数を打ち込んでください。';
    this.seedBox.value = this.watched.seed;
    this.seedBox.select();
  }

  // false where the text is no seed.
  private start(seed: string): boolean {
    const told = this.core.evening(seed, this.guests);
    const [stocks, steps] = [list(told.stocks), list(told.steps)];
    if (!told.seed) return false;
    this.pause();
    // An evening nobody watched is no earlier evening.
    if (this.evenings.length === 0 || this.served > 0) ++this.number;
    else this.evenings.pop();
    this.evenings.push({ ...told, stocks, steps });
    if (this.evenings.length > EARLIER_EVENINGS + 1) this.evenings.shift();
    this.served = 0;
    this.seedBox.value = told.seed;
    byId('seedRefusal').textContent = '';
    byId('stepText').textContent = this.core.eveningStart(this.guests);
    byId('answerText').textContent = '';
    for (const id of ['serveOne', 'play', 'serveAll']) button(id).disabled = false;
    this.landed(0);
    this.drawChart();
    byId('eveningChart').focus();
    return true;
  }

  private serve(guests: number): void {
    if (guests <= 0) return;
    this.served += guests;
    byId('stepText').textContent = this.watched.steps[this.served - 1];
    this.drawChart();
    if (!this.finished) return;
    this.pause();
    byId('answerText').textContent = this.watched.answer;
    // Before the buttons it would pass are disabled, so that a screen
    // reader meets no button between the guest and the answer.
    button('nextEvening').focus();
    for (const id of ['serveOne', 'play', 'serveAll']) button(id).disabled = true;
    this.landed(this.watched.tableClass);
  }

  // The stock against the guests so far as a step line; the range holds
  // what is drawn with a coin to spare, never less than -3..3, and at the
  // end reaches down far enough for the lowest point's caption.
  private drawChart(): void {
    const svg = byId('eveningChart');
    svg.replaceChildren();
    svg.setAttribute('aria-label', `手元の 500円玉の移り変わり（${this.number} 晩目、前の夜 ${this.evenings.length - 1} 晩を薄く表示）`);
    const drawn = this.evenings.map((e) => (e === this.watched ? e.stocks.slice(0, this.served) : e.stocks));
    let top = Math.max(3, ...drawn.flat()) + 1;
    let bottom = Math.min(-3, ...drawn.flat()) - 1;
    const plot = { left: 56, top: 2 * LINE, right: WIDTH - 24, bottom: HEIGHT - 2 * LINE };
    const height = plot.bottom - plot.top;
    if (this.finished) bottom = Math.min(bottom, top - Math.ceil(((top - this.watched.lowest) * height) / (height - 8 - LINE)));
    const xOf = (guest: number) => plot.left + (guest * (plot.right - plot.left)) / this.guests;
    const yOf = (stock: number) => plot.top + ((top - stock) * height) / (top - bottom);
    const text = (x: number, y: number, anchor: string, words: string) =>
      draw(svg, 'text', { x, y, 'text-anchor': anchor, 'dominant-baseline': 'central', fill: 'currentColor' }, words);
    text(4, LINE / 2, 'start', '手元の 500円玉（枚）');
    for (const stock of new Set([top, 0, bottom])) text(plot.left - 6, yOf(stock), 'end', String(stock));
    text(plot.left, plot.bottom + LINE / 2 + 2, 'middle', '0');
    text(plot.right, plot.bottom + LINE / 2 + 2, 'middle', String(this.guests));
    text((plot.left + plot.right) / 2, plot.bottom + 1.5 * LINE, 'middle', 'お客（人目）');
    const axes: [number, number][] = [[plot.left, plot.top], [plot.left, plot.bottom], [plot.right, plot.bottom]];
    draw(svg, 'polyline', { points: points(axes), fill: 'none', stroke: 'currentColor' });
    draw(svg, 'line', { x1: plot.left, x2: plot.right, y1: yOf(0), y2: yOf(0), stroke: 'currentColor', 'stroke-dasharray': '4 3' });
    drawn.forEach((stocks, i) => {
      const line: [number, number][] = [[xOf(0), yOf(0)]];
      stocks.forEach((stock, guest) => line.push([xOf(guest + 1), line[line.length - 1][1]], [xOf(guest + 1), yOf(stock)]));
      const watched = i === drawn.length - 1;
      draw(svg, 'polyline', { points: points(line), fill: 'none', stroke: 'currentColor', 'stroke-width': watched ? 2.5 : 1.5, opacity: watched ? 1 : 0.3 });
    });
    if (!this.finished) return;
    const lowest = this.watched.lowest;
    const mark = [xOf(this.watched.stocks.indexOf(lowest) + 1), yOf(lowest)];
    draw(svg, 'circle', { cx: mark[0], cy: mark[1], r: 5, class: 'lowest' });
    const caption = Math.max(plot.left + 40, Math.min(mark[0], plot.right - 40));
    draw(svg, 'text', { x: caption, y: mark[1] + 8 + LINE / 2, 'text-anchor': 'middle', 'dominant-baseline': 'central', class: 'lowest' }, `最低 ${lowest} 枚`);
  }
}
