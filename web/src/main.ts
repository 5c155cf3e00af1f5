// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The main window as a page: the same layout, texts, questions and
// commands, the numbers read and the experiments run by the C++ core.

import { askText, askYesNo } from './boxes';
import { list, loadCore, type Core, type Run } from './core';
import { EveningView } from './evening';
import { copy, isCopyKey } from './clipboard';
import { showTheory } from './theory';

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
  private ran = false;
  private readonly evening: EveningView;
  // The commands the menus, the table's menu and the keys give, each with
  // when it is enabled: a button's as its button is.
  private readonly commands: Record<string, { run: () => unknown; enabled: () => boolean }>;

  constructor(private readonly core: Core) {
    this.evening = new EveningView(core, (k) => this.markLanded(k));
    const ofButton = (id: string) => ({ run: () => button(id).click(), enabled: () => !button(id).disabled });
    this.commands = {
      Command1: ofButton('Command1'),
      Command2: ofButton('Command2'),
      Command3: ofButton('Command3'),
      Command4: ofButton('Command4'),
      compare: { run: () => showTheory(core), enabled: () => this.ran },
      evening: { run: () => this.evening.open(this.guests), enabled: () => this.guests > 0 },
      copy: {
        run: () => copy(core.copiedTable(this.guests, this.trials, this.ran)),
        enabled: () => this.guests > 0,
      },
      about: { run: () => (byId('aboutBox') as HTMLDialogElement).showModal(), enabled: () => true },
    };
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

  // Each command of the menus runs as its button or key, enabled as the
  // button is; Alt and a menu's letter open it, a command's letter in it
  // chooses, the arrows move, Esc closes. F1, F2, F3 and Ctrl+C are the
  // commands' keys; the table's own menu comes with a right click, a long
  // press, the menu key or Shift+F10.
  private buildMenuBar(): void {
    const menus = [...document.querySelectorAll<HTMLElement>('#menubar > div')];
    const lists = [...document.querySelectorAll<HTMLElement>('[role=menu]')];
    const close = () => lists.forEach((list) => this.showMenu(list, false));
    for (const menu of menus) {
      const title = menu.querySelector('button')!;
      title.onclick = () => this.showMenu(menu.querySelector('[role=menu]')!, title.getAttribute('aria-expanded') !== 'true');
    }
    for (const list of lists) {
      const items = [...list.querySelectorAll<HTMLButtonElement>('button')];
      for (const item of items) {
        item.onclick = () => {
          close();
          const command = this.commands[item.dataset.for!];
          if (this.takesInput && command.enabled()) void command.run();
        };
      }
      list.onkeydown = (event) => {
        const chosen = items.find((item) => item.dataset.key === event.key.toLowerCase());
        const enabled = items.filter((item) => !item.disabled);
        const at = enabled.indexOf(document.activeElement as HTMLButtonElement);
        if (event.key === 'Escape') close();
        else if (event.key === 'ArrowDown') enabled[(at + 1) % enabled.length]?.focus();
        else if (event.key === 'ArrowUp') enabled[(at + enabled.length - 1) % enabled.length]?.focus();
        else if (chosen && !chosen.disabled) chosen.click();
        else return;
        event.preventDefault();
      };
    }
    const keys: Record<string, string> = { F1: 'Command4', F2: 'compare', F3: 'evening' };
    addEventListener('keydown', (event) => {
      if (document.querySelector('dialog[open]') || byId('window').hidden) return;
      const menu = menus.find((m) => m.querySelector('button')!.dataset.key === event.key.toLowerCase());
      const inTable = event.target === byId('frequencyTable');
      let command = keys[event.key];
      if (isCopyKey(event)) command = 'copy';
      if (event.altKey && menu) {
        close();
        this.showMenu(menu.querySelector('[role=menu]')!, true);
      } else if (inTable && (event.key === 'ContextMenu' || (event.shiftKey && event.key === 'F10'))) {
        this.showTableMenu();
      } else if (command) {
        if (this.takesInput && this.commands[command].enabled()) void this.commands[command].run();
      } else return;
      event.preventDefault();
    });
    addEventListener('click', (event) => {
      if (!(event.target as Element).closest('[role=menu], #menubar')) close();
    });
    byId('frequencyTable').oncontextmenu = (event) => {
      event.preventDefault();
      this.showTableMenu(event);
    };
  }

  private showMenu(list: HTMLElement, open: boolean): void {
    list.parentElement!.querySelector('[aria-haspopup]')?.setAttribute('aria-expanded', String(open));
    list.hidden = !open;
    for (const item of list.querySelectorAll<HTMLButtonElement>('button'))
      item.disabled = !this.commands[item.dataset.for!].enabled();
    if (open) list.querySelector<HTMLButtonElement>('button:not(:disabled)')?.focus();
  }

  // At the pointer, or at the marked count.
  private showTableMenu(at?: MouseEvent): void {
    if (!this.takesInput) return;
    const menu = byId('tableMenu');
    const area = byId('area').getBoundingClientRect();
    const cell = byId(`dosu(${this.current})`).getBoundingClientRect();
    const scale = area.width / byId('area').offsetWidth;
    menu.style.left = `${((at?.clientX ?? cell.x + cell.width / 2) - area.x) / scale}px`;
    menu.style.top = `${((at?.clientY ?? cell.y + cell.height / 2) - area.y) / scale}px`;
    this.showMenu(menu, true);
  }

  // The evening's class, as a ball lands in its bin; 0 marks none.
  private markLanded(k: number): void {
    document.querySelector('#frequencyTable .landed')?.classList.remove('landed');
    if (k === 0) return;
    byId(`dosu(${k})`).classList.add('landed');
    // Back in the table, the keys start from it.
    this.current = k;
    this.markCurrent();
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
    list(run.counts).forEach((count, i) => (byId(`dosu(${i + 1})`).textContent = String(count)));
    this.ran = true;
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
    this.guests = this.trials = 0;
    this.ran = false;
    this.markLanded(0);
    for (let k = 1; k <= this.core.classCount; ++k) byId(`dosu(${k})`).textContent = '';
    for (const id of ['Label82', 'Label2', 'Label3', 'announce']) byId(id).textContent = '';
    byId('frequencyTable').removeAttribute('aria-description');
    button('Command1').disabled = false;
  }

  // The help takes the main window's place; 閉じる brings a new one.
  private showHelp(): void {
    play(PINPON);
    const text = byId('Picture1');
    text.textContent = list(this.core.helpLines()).join('\n');
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

// The window and the help as large as the screen allows, in proportion.
function fit(): void {
  const scale = (id: string) => Math.min(innerWidth / byId(id).offsetWidth, innerHeight / byId(id).offsetHeight);
  for (const [id, property] of [['window', '--scale'], ['help', '--help-scale']]) {
    const hidden = byId(id).hidden;
    byId(id).hidden = false;
    document.documentElement.style.setProperty(property, String(scale(id)));
    byId(id).hidden = hidden;
  }
}

addEventListener('resize', fit);
fit();
if (typeof WebAssembly !== 'object') {
  byId('noWasm').hidden = false;
} else {
  void loadCore().then((core) => {
    byId('window').hidden = false;
    void new MainWindow(core).enterParameters();
  });
}
