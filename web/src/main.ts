// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The main window as a page: the same layout, texts, questions and
// commands, the numbers read and the experiments run by the C++ core.

import { askText, askYesNo } from './boxes';
import type { Core, Run } from './core';

// The cues, as data: URLs the build puts into the page.
declare const PINPON: string;
declare const ENDPINPON: string;

const byId = (id: string) => document.getElementById(id) as HTMLElement;
const button = (id: string) => byId(id) as HTMLButtonElement;

function play(cue: string): void {
  void new Audio(cue).play().catch(() => {}); // silent where the device allows no sound
}

// A run's seed for the whole class: #seed=1234 runs as torumina-sim --seed 1234.
function seedOfPage(): string | undefined {
  return /^#seed=(.+)$/.exec(location.hash)?.[1];
}

class MainWindow {
  private guests = 0;
  private trials = 0;
  private ended = false;
  // The class whose count the arrow keys have reached.
  private current = 1;
  // False until both parameters are answered (first and after a reset):
  // a click as a box closes, before its answer is taken, runs nothing.
  private takesInput = false;

  constructor(private readonly core: Core) {
    this.buildTable();
    const command = (handler: () => unknown) => () => void (this.takesInput && handler());
    button('Command1').onclick = command(() => this.runExperiments());
    button('Command2').onclick = command(() => this.quit());
    button('Command3').onclick = command(() => this.resetTable());
    button('Command4').onclick = command(() => this.showHelp());
    button('closeHelp').onclick = () => void this.backFromHelp();
    button('restart').onclick = () => location.reload();
    this.buildMenuBar();
    const table = byId('frequencyTable');
    table.onkeydown = (event) => this.moveMark(event);
    table.onfocus = () => this.markCurrent();
  }

  // Each command of the menu bar runs its button's handler, enabled as the
  // button is; Alt and a menu's letter open it, a command's letter in it
  // chooses, Esc closes; F1 shows the help as HELP does.
  private buildMenuBar(): void {
    const menus = [...document.querySelectorAll<HTMLElement>('#menubar > div')];
    const close = () => menus.forEach((menu) => this.showMenu(menu, false));
    for (const menu of menus) {
      const title = menu.querySelector('button')!;
      title.onclick = () => this.showMenu(menu, title.getAttribute('aria-expanded') !== 'true');
      for (const item of menu.querySelectorAll<HTMLButtonElement>('[role=menu] button')) {
        item.onclick = () => {
          close();
          if (item.dataset.for === 'about') (byId('aboutBox') as HTMLDialogElement).showModal();
          else button(item.dataset.for!).click();
        };
      }
      menu.onkeydown = (event) => {
        const chosen = menu.querySelector<HTMLButtonElement>(`[role=menu] [data-key="${event.key.toLowerCase()}"]`);
        if (event.key === 'Escape') close();
        else if (chosen && !chosen.disabled) chosen.click();
        else return;
        event.preventDefault();
      };
    }
    addEventListener('keydown', (event) => {
      if (document.querySelector('dialog[open]') || byId('window').hidden) return;
      const menu = menus.find((m) => m.querySelector('button')!.dataset.key === event.key.toLowerCase());
      if (event.altKey && menu) {
        close();
        this.showMenu(menu, true);
      } else if (event.key === 'F1') {
        button('Command4').click();
      } else return;
      event.preventDefault();
    });
    addEventListener('click', (event) => {
      if (!(event.target as Element).closest('#menubar')) close();
    });
  }

  private showMenu(menu: HTMLElement, open: boolean): void {
    const list = menu.querySelector('[role=menu]') as HTMLElement;
    menu.querySelector('button')!.setAttribute('aria-expanded', String(open));
    list.hidden = !open;
    for (const item of list.querySelectorAll<HTMLButtonElement>('button'))
      item.disabled = (document.getElementById(item.dataset.for!) as HTMLButtonElement | null)?.disabled ?? false;
    if (open) list.querySelector<HTMLButtonElement>('button:not(:disabled)')?.focus();
  }

  // The arrows move the mark from count to count and stop at the table's
  // edges; Home and End go to the ends of the row.
  private moveMark(event: KeyboardEvent): void {
    const columns = this.core.tableColumns;
    const column = (this.current - 1) % columns;
    const to: Record<string, number> = {
      ArrowLeft: column > 0 ? this.current - 1 : this.current,
      ArrowRight: column < columns - 1 ? this.current + 1 : this.current,
      ArrowUp: this.current > columns ? this.current - columns : this.current,
      ArrowDown: this.current <= this.core.classCount - columns ? this.current + columns : this.current,
      Home: this.current - column,
      End: this.current - column + columns - 1,
    };
    if (!(event.key in to)) return;
    event.preventDefault();
    this.current = to[event.key];
    this.markCurrent();
  }

  // A screen reader follows the marked cell as the table's active one.
  private markCurrent(): void {
    document.querySelector('#frequencyTable .marked')?.classList.remove('marked');
    byId(`dosu(${this.current})`).classList.add('marked');
    byId('frequencyTable').setAttribute('aria-activedescendant', `dosu(${this.current})`);
  }

  // The 7 bands of 9: a caption row and a count row each, every count
  // headed by its class's caption.
  private buildTable(): void {
    const table = byId('frequencyTable');
    const columns = this.core.tableColumns;
    for (let first = 1; first <= this.core.classCount; first += columns) {
      const band = document.createElement('tbody');
      const captions = band.insertRow();
      const counts = band.insertRow();
      captions.insertCell().outerHTML = '<th scope="row" class="title">不足枚数</th>';
      counts.insertCell().outerHTML = '<th scope="row" class="title">度　　数</th>';
      for (let k = first; k < first + columns; ++k) {
        const caption = this.core.classCaption(k);
        const header = document.createElement('th');
        header.id = `class${k}`;
        header.scope = 'col';
        header.textContent = caption;
        if (k === 1 || k === this.core.classCount) header.className = 'open';
        captions.append(header);
        const count = counts.insertCell();
        count.id = `dosu(${k})`;
        count.headers = header.id;
        count.setAttribute('aria-description', `不足枚数 ${caption}`);
      }
      table.append(band);
    }
  }

  async enterParameters(): Promise<void> {
    this.takesInput = false;
    const guests = await this.askParameter(' お客人数の設定', '100', this.core.minGuests, this.core.maxGuests);
    if (guests === undefined) return;
    this.guests = guests;
    byId('Label82').textContent = String(guests);
    const trials = await this.askParameter(' 実験回数の設定', '1000', this.core.minTrials, this.core.maxTrials);
    if (trials === undefined) return;
    this.trials = trials;
    byId('Label2').textContent = String(trials);
    this.takesInput = true;
    button('Command1').focus();
  }

  // Asked until answered within lower..upper; nothing once the program ends.
  private async askParameter(title: string, preset: string, lower: number, upper: number) {
    const prompt = `${lower}以上${upper}以下の整数を入力してください．．．`;
    while (!this.ended) {
      const answer = await askText(title, prompt, preset);
      if (answer === '') {
        if (!(await this.confirmQuit('確認'))) return undefined;
        continue;
      }
      const value = this.core.readParameter(answer, lower, upper);
      if (value >= 0) return value;
    }
    return undefined;
  }

  // false once the program has ended.
  private async confirmQuit(title: string): Promise<boolean> {
    if (!(await askYesNo(title, '終了していいですか？'))) return true;
    this.ended = true;
    byId('window').hidden = true;
    byId('ended').hidden = false;
    button('restart').focus();
    return false;
  }

  private runExperiments(): void {
    const seed = seedOfPage();
    const run: Run =
      seed === undefined
        ? this.core.runNow(this.guests, this.trials)
        : this.core.runSeeded(this.guests, this.trials, seed);
    for (let k = 1; k <= this.core.classCount; ++k) byId(`dosu(${k})`).textContent = String(run.counts.get(k - 1));
    run.counts.delete();
    byId('Label3').textContent = run.mean;
    const said = `不足枚数の平均 ${run.mean}（お客人数 ${this.guests}、実験回数 ${this.trials}）。次の実験は［初期化］から。`;
    const table = byId('frequencyTable');
    table.setAttribute('aria-description', said);
    byId('announce').textContent = said;
    button('Command1').disabled = true;
    this.current = 1;
    table.focus();
  }

  private async quit(): Promise<void> {
    play(ENDPINPON);
    await this.confirmQuit('トルミナの実験');
  }

  private async resetTable(): Promise<void> {
    play(PINPON);
    this.clear();
    await this.enterParameters();
  }

  private clear(): void {
    for (let k = 1; k <= this.core.classCount; ++k) byId(`dosu(${k})`).textContent = '';
    for (const id of ['Label82', 'Label2', 'Label3', 'announce']) byId(id).textContent = '';
    byId('frequencyTable').removeAttribute('aria-description');
    button('Command1').disabled = false;
  }

  // The help takes the main window's place; 閉じる brings a new one.
  private showHelp(): void {
    play(PINPON);
    const text = byId('Picture1');
    const lines = this.core.helpLines();
    text.textContent = Array.from({ length: lines.size() }, (_, i) => lines.get(i)).join('\n');
    lines.delete();
    byId('window').hidden = true;
    byId('help').hidden = false;
    button('closeHelp').focus();
  }

  private async backFromHelp(): Promise<void> {
    byId('help').hidden = true;
    byId('window').hidden = false;
    this.clear();
    await this.enterParameters();
  }
}

// As large as the screen allows, in proportion.
function fit(): void {
  const scale = Math.min(innerWidth / 553, innerHeight / (20 + 512)); // the menu bar over the area
  document.documentElement.style.setProperty('--scale', String(scale));
}

addEventListener('resize', fit);
fit();
if (typeof WebAssembly !== 'object') {
  byId('noWasm').hidden = false;
} else {
  void createCore().then((core) => {
    byId('window').hidden = false;
    void new MainWindow(core).enterParameters();
  });
}
