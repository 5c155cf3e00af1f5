// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// node --test tests/web/: the one-file page (build/web/torumina.html, make web) in Debian's
// chromium, driven as a pupil drives it, from the file system as a pupil opens it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { chromium } from '../../web/node_modules/playwright-core/index.mjs';

const root = new URL('../../', import.meta.url);
const PAGE = new URL('build/web/torumina.html', root).href;

// A page of its own, which may read what it copies; every request it makes and every error it throws.
// without: 'simd', a browser without WebAssembly SIMD (an older iPad), which gets the plain core;
// 'wasm', one without WebAssembly at all.
async function open(t, { hash = '', viewport = { width: 1366, height: 768 }, colorScheme = 'light', hasTouch = false, without } = {}) {
  // No session bus: with dbus-x11 installed, libdbus would start one that outlives the test.
  const env = { ...process.env, DBUS_SESSION_BUS_ADDRESS: 'unix:path=/nonexistent' };
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'], env });
  t.after(() => browser.close());
  const context = await browser.newContext({ viewport, colorScheme, hasTouch, permissions: ['clipboard-read', 'clipboard-write'] });
  if (without === 'simd') await context.addInitScript(() => { WebAssembly.validate = () => false; });
  if (without === 'wasm') await context.addInitScript(() => { delete globalThis.WebAssembly; });
  const page = await context.newPage();
  const requests = [], errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(PAGE + hash);
  return { page, requests, errors };
}

// The box now open (over a side view, perhaps): its title, prompt and default answer, or its words.
async function box(page) {
  const open = page.locator('dialog[open]:not(.side)');
  await open.waitFor();
  return (await open.locator('h2').textContent()) + ': ' +
    ((await open.locator('label, p').textContent()) ?? '') +
    (await open.locator('input').count() ? ` [${await open.locator('input').inputValue()}]` : '');
}

// Typed as a pupil types, then Enter, Esc or no key.
async function answer(page, text, key = 'Enter') {
  const before = await box(page);
  await page.keyboard.type(text);
  if (key) await page.keyboard.press(key);
  return before;
}

// Both questions answered: the window takes input once the focus is on 実験開始.
const ready = (page) => page.locator('#Command1:focus').waitFor();

// Both questions answered by these texts, their defaults unless given; then the window takes input.
async function answered(page, guests = '', trials = '') {
  await answer(page, guests);
  await answer(page, trials);
  await ready(page);
}

const counts = (page) => page.locator('#frequencyTable td').allTextContents();
const copied = (page) => page.evaluate(() => navigator.clipboard.readText());

// The run of these answers (the defaults) on a seed, as torumina-sim --seed runs it.
async function seededRun(t, seed, options = {}, answers = []) {
  const opened = await open(t, { hash: `#seed=${seed}`, ...options });
  await answered(opened.page, ...answers);
  await opened.page.keyboard.press('Enter');
  await opened.page.locator('#Label3:not(:empty)').waitFor();
  return opened;
}

// A CSV report of torumina-sim in tests/sim/golden, and its numbered rows split: a class's
// [class, label, count], a guest's [guest, toss, payment, stock, lowest].
const simReport = (golden) => readFileSync(new URL(`tests/sim/golden/${golden}.txt`, root), 'utf8');
const csvRows = (golden) => simReport(golden).split('\n').filter((line) => /^\d+,/.test(line)).map((line) => line.split(','));

test('the questions ask again until answered, then a seeded run is torumina-sim\'s', async (t) => {
  const { page, requests, errors } = await open(t, { hash: '#seed=7' });
  const asked = [
    await answer(page, '9.99'), await answer(page, '', 'Escape'), await answer(page, 'n', null),
    await answer(page, '1001'), await answer(page, '１０'), await answer(page, '37'),
  ];
  const guests = ' お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]';
  assert.deepEqual(asked, [guests, guests, '確認: 終了していいですか？', guests, guests,
    ' 実験回数の設定: 1以上10000以下の整数を入力してください．．． [1000]']);
  await ready(page);
  await page.keyboard.press('Enter');
  await page.locator('#Label3:not(:empty)').waitFor();
  const rows = csvRows('csv');
  assert.deepEqual(await counts(page), rows.map((row) => row[2]), 'torumina-sim --guests 10 --trials 37 --seed 7');
  // As a screen reader reads each count: the count, described by its class's caption.
  const { nodes } = await (await page.context().newCDPSession(page)).send('Accessibility.getFullAXTree');
  assert.deepEqual(nodes.filter((n) => n.role?.value === 'cell').map((n) => [n.name.value, n.description?.value]),
    rows.map((row) => [row[2], `不足枚数 ${row[1].replace(/ +/g, ' ')}`])); // spaces run together, as read
  const mean = Number(/^不足枚数の平均,(.*)$/m.exec(simReport('csv'))[1]).toFixed(1);
  assert.deepEqual(await page.locator('#area .cell').allTextContents(),
    ['トルミナの実験（その２）', 'お客人数', '10', '不足枚数の平均', mean, '実験回数', '37']);
  const said = `不足枚数の平均 ${mean}（お客人数 10、実験回数 37）。次の実験は［初期化］から。`;
  const announce = page.locator('#announce');
  assert.deepEqual([await page.locator('#frequencyTable').getAttribute('aria-description'),
    await announce.textContent(), await announce.evaluate((p) => p.ariaLive)], [said, said, 'polite']);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'frequencyTable', 'the focus on the result');
  assert.ok(await page.locator('#Command1').isDisabled());
  assert.deepEqual(requests, [PAGE], 'no request leaves the page');
  assert.deepEqual(await page.evaluate(() => [localStorage.length, sessionStorage.length, document.cookie]), [0, 0, '']);
  assert.deepEqual(errors, []);
});

// Every 64-bit seed, beyond what a JavaScript number holds exactly, in a browser without SIMD too;
// one without WebAssembly says so.
test('the largest seed runs as torumina-sim runs it, with or without SIMD', async (t) => {
  for (const without of [undefined, 'simd']) {
    const { page } = await seededRun(t, '18446744073709551615', { without }, ['10', '5']);
    assert.deepEqual(await counts(page), csvRows('csv-largest-seed').map((row) => row[2]), `without ${without}`);
  }
  const { page } = await open(t, { without: 'wasm' });
  assert.match(await page.locator('#noWasm').textContent(), /^このブラウザーは WebAssembly を使えない/);
  assert.ok(await page.locator('#noWasm').isVisible());
});

// Driven by touch alone on each screen: the window and the help fit whole, the side views without
// sideways scrolling, and everything that takes a tap is 24 px or more each way.
test('by touch on each screen, every view fits and every target is 24 px or more', async (t) => {
  for (const [width, height] of [[1366, 768], [1080, 810], [810, 1080], [911, 512]]) {
    const { page } = await open(t, { viewport: { width, height }, hasTouch: true });
    const misfits = [];
    const check = async (view, whole) => {
      const found = await page.evaluate(([view, whole]) => {
        const box = document.getElementById(view).getBoundingClientRect();
        const out = whole ? box.x < 0 || box.y < 0 || box.right > innerWidth + 0.5 || box.bottom > innerHeight + 0.5 : false;
        const small = [...document.querySelectorAll('button, input')].filter((e) => e.checkVisibility())
          .map((e) => [e.id || e.textContent, e.getBoundingClientRect()]).filter(([, r]) => r.width < 24 || r.height < 24);
        const wide = document.scrollingElement.scrollWidth > innerWidth;
        return [out && 'not whole', wide && 'scrolls sideways', ...small.map(([name, r]) => `${name} ${r.width}×${r.height}`)].filter(Boolean);
      }, [view, whole]);
      misfits.push(...found.map((misfit) => `${width}×${height} ${view}: ${misfit}`));
    };
    await box(page);
    await check('ask', false);
    for (let i = 0; i < 2; ++i) await page.locator('dialog[open] button[value=ok]').tap();
    await ready(page);
    await page.locator('#Command1').tap();
    await check('window', true);
    for (const [command, view, close] of [['理論と比べる', 'theory', 'closeTheory'], ['一晩の様子を見る', 'evening', 'closeEvening']]) {
      await page.getByRole('menuitem', { name: '表示(V)' }).tap();
      await check('window', true);
      await page.getByRole('menuitem', { name: new RegExp(command) }).tap();
      if (view === 'evening') await page.locator('#serveOne').tap();
      await check(view, false);
      await page.locator(`#${close}`).tap();
    }
    await page.locator('#Command4').tap();
    await check('help', true);
    assert.deepEqual(misfits, []);
  }
});

// From every cell, each arrow key moves the mark to the neighbouring count on the screen, or keeps
// it at the table's edge; Home and End to the ends of its row.
test('every key on every cell moves the mark to the count it points to', async (t) => {
  const { page } = await open(t);
  await answered(page);
  await page.locator('#Command1').click();
  const boxes = await page.locator('#frequencyTable td').evaluateAll((cells) =>
    cells.map((cell) => { const r = cell.getBoundingClientRect(); return [r.x, r.y]; }));
  const near = (a, b) => Math.abs(a - b) < 2; // a scaled page places cells at fractions of a pixel
  const at = (k, dx, dy) => 1 + boxes.findIndex(([x, y]) => near(x, boxes[k - 1][0] + dx) && near(y, boxes[k - 1][1] + dy));
  const [across, down] = [boxes[1][0] - boxes[0][0], boxes[9][1] - boxes[0][1]];
  const step = (k, dx, dy) => at(k, dx, dy) || k;
  const last = (k, dx) => (step(k, dx, 0) === k ? k : last(step(k, dx, 0), dx));
  const seen = { ArrowLeft: (k) => step(k, -across, 0), ArrowRight: (k) => step(k, across, 0),
    ArrowUp: (k) => step(k, 0, -down), ArrowDown: (k) => step(k, 0, down),
    Home: (k) => last(k, -across), End: (k) => last(k, across) };
  const marked = () => page.locator('#frequencyTable').getAttribute('aria-activedescendant');
  const misses = [];
  for (let k = 1; k <= 63; ++k) {
    for (const [key, to] of Object.entries(seen)) {
      const rows = Array((k - 1) / 9 | 0).fill('ArrowDown'), columns = Array((k - 1) % 9).fill('ArrowRight');
      for (const move of ['Home', ...Array(6).fill('ArrowUp'), ...rows, ...columns]) await page.keyboard.press(move);
      await page.keyboard.press(key);
      if ((await marked()) !== `dosu(${to(k)})`) misses.push(`${key} on ${k}: ${await marked()}`);
    }
  }
  assert.deepEqual(misses, []);
});

// Every text against what it is drawn on, WCAG AA, after a run and in each side view at its end, in
// either scheme.
test('every text is readable in the light and the dark scheme', async (t) => {
  for (const colorScheme of ['light', 'dark']) {
    const { page } = await seededRun(t, 7, { colorScheme });
    const poor = (view) => page.locator(view).evaluate((root) => {
      const rgb = (css) => css.match(/[\d.]+/g).map(Number);
      const luminance = ([r, g, b]) => [r, g, b].map((v) => v / 255)
        .map((v) => (v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4))
        .reduce((sum, v, i) => sum + v * [0.2126, 0.7152, 0.0722][i], 0);
      const ground = (element) => {
        for (let e = element; e; e = e.parentElement) {
          const colour = rgb(getComputedStyle(e).backgroundColor);
          if (colour.length < 4 || colour[3] > 0) return colour;
        }
        return [255, 255, 255];
      };
      const ink = (e) => getComputedStyle(e)[e instanceof SVGElement ? 'fill' : 'color'];
      return [...root.querySelectorAll('*')]
        .filter((e) => [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()))
        .map((e) => {
          const [a, b] = [luminance(rgb(ink(e))), luminance(ground(e))];
          return [e.id || e.textContent, (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05)];
        })
        .filter(([, ratio]) => ratio < 4.5);
    });
    await page.keyboard.press('Alt+e'); // 実験開始 disabled
    assert.deepEqual([await poor('#area'), await poor('#menubar')], [[], []], colorScheme);
    await page.keyboard.press('Escape');
    await page.keyboard.press('F2');
    assert.deepEqual(await poor('#theory'), [], `${colorScheme} theory`);
    await page.keyboard.press('Escape');
    await page.keyboard.press('F3');
    await page.keyboard.press('End');
    assert.notEqual(await page.locator('#answerText').textContent(), '', 'End finished the evening');
    assert.deepEqual(await poor('#evening'), [], `${colorScheme} evening`);
  }
});

// The words, what a screen reader hears of the chart and the 63 classes' figures as the desktop's
// theory window shows them for the same run (its golden file); 数値をコピー copies those figures.
test('F2 sets the run beside the theory as the desktop program does', async (t) => {
  const { page } = await seededRun(t, 3887406503);
  await page.keyboard.press('F2');
  const theory = page.locator('#theory[open]');
  const rows = await theory.locator('tbody tr').evaluateAll((rows) => rows.map((row) =>
    [...row.cells].map((cell) => cell.textContent).join('\t')));
  const seen = [...await theory.locator('h2, p').allTextContents(),
    await page.getByRole('img', { name: '度数分布のグラフ' }).getAttribute('aria-description'), '--', ...rows];
  assert.equal(seen.join('\n') + '\n', readFileSync(new URL('tests/app/golden/theory.txt', root), 'utf8'));
  // A bar for each count but 0 (and the legend's), every line with its points, the axis to 0.
  assert.deepEqual(await page.locator('#chart').evaluate((svg) => [svg.querySelectorAll('rect[fill="rgb(70,130,180)"]').length - 1,
    [...svg.querySelectorAll('polyline')].every((line) => line.points.numberOfItems > 1),
    [...svg.querySelectorAll('text')].some((text) => text.textContent === '0')]),
  [rows.filter((row) => row.split('\t')[1] !== '0').length, true, true]);
  await page.getByRole('tab', { name: 'グラフ' }).focus();
  await page.keyboard.press('ArrowRight');
  assert.ok(await page.locator('#figuresBox').evaluate((box) => !box.hidden && box.scrollTop > 0), 'the figures, where they start');
  for (const copy of [() => page.locator('#copyFigures').click(), () => page.keyboard.press('Control+c')]) {
    await page.evaluate(() => navigator.clipboard.writeText(''));
    await copy();
    const [head, table] = (await copied(page)).split('\n\n');
    assert.match(head, /^お客人数\t100\n実験回数\t1000\n不足枚数の平均\t-7.1/);
    assert.equal(table, ['不足枚数\t度数\t期待度数', ...rows, ''].join('\n'));
  }
  await page.evaluate(() => { navigator.clipboard.writeText = () => Promise.reject(new Error('denied')); });
  await page.keyboard.press('Control+c');
  assert.equal(await box(page), 'コピー: コピーできませんでした。このブラウザーではクリップボードを使えません。', 'a failed copy says so');
  await page.keyboard.press('Enter');
  const [saved] = await Promise.all([page.waitForEvent('download'), page.locator('#saveChart').click()]);
  const png = readFileSync(await saved.path());
  assert.deepEqual([saved.suggestedFilename(), png.toString('latin1', 1, 4), png.readUInt32BE(16), png.readUInt32BE(20)],
    ['不足枚数の度数分布_100人_1000回.png', 'PNG', 1000, 600], 'the desktop\'s name and size');
  await page.keyboard.press('Escape');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'frequencyTable', 'back to the run');
});

// Guest by guest by the keys, each step said politely, the evening of seed 7 is torumina-sim's
// (golden/evening-csv.txt); its end names the class, marked in the table; a refused seed says why.
test('an evening of a seed goes guest by guest as torumina-sim --evening tells it', async (t) => {
  const { page } = await open(t);
  await answered(page, '10');
  await page.keyboard.press('F3');
  await page.locator('#seed').fill('7x');
  await page.keyboard.press('Enter');
  assert.equal(await page.locator('#seedRefusal').textContent(), '種には 0〜18446744073709551615 の整数を打ち込んでください。');
  await page.locator('#seed').fill('7');
  await page.keyboard.press('Enter');
  assert.equal(await page.locator('#seedRefusal').textContent(), '');
  const guests = csvRows('evening-csv');
  const said = [];
  for (const key of ['ArrowRight', ...Array(guests.length - 1).fill('Space')]) {
    await page.keyboard.press(key);
    said.push(await page.locator('#stepText').textContent());
  }
  assert.deepEqual(said, guests.map(([guest, toss, payment, stock, lowest]) =>
    `${guest} 人目：${toss}　${payment}　手元の 500円玉 ${stock} 枚　これまでの最低 ${lowest} 枚`));
  assert.equal(await page.locator('#stepText').evaluate((p) => p.closest('[aria-live]').ariaLive), 'polite');
  const lowest = /^不足枚数,(.*)$/m.exec(simReport('evening-csv'))[1];
  assert.equal(await page.locator('#answerText').textContent(),
    `この夜の不足枚数は ${lowest} でした（500円玉を ${-lowest} 枚用意しておけば足りました）。表では「${lowest}」の欄に入る夜です。`);
  assert.equal(await page.locator('td.landed').getAttribute('aria-description'), `不足枚数 ${lowest}`);
  assert.equal(await page.locator('#eveningChart text.lowest').textContent(), `最低 ${lowest} 枚`);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'nextEvening');
  await page.keyboard.press('ArrowRight'); // a button's arrows move on
  assert.equal(await page.evaluate(() => document.activeElement.id), 'closeEvening');
  await page.keyboard.press('n');
  assert.equal(await page.locator('td.landed').count(), 0, 'a new evening has landed nowhere yet');
  assert.match(await page.getByRole('img').getAttribute('aria-label'), /（2 晩目、前の夜 1 晩を薄く表示）/);
  await page.locator('#speed').focus();
  await page.keyboard.press('End'); // the slider's: 10 guests a second
  await page.locator('#eveningChart').focus();
  await page.keyboard.press('Enter');
  assert.equal(await page.locator('#play').textContent(), '止める');
  await page.locator('#answerText:not(:empty)').waitFor({ timeout: 5000 }); // 10 guests at 10 a second
  assert.equal(await page.locator('#play').textContent(), '続けて', 'played to the end');
  await page.keyboard.press('Escape');
  assert.ok(await page.locator('#evening').isHidden());
});

// Each command of the menu bar, chosen by the keyboard, does what its button or key does, enabled as
// the button is, with its cue: the help shows its text and 閉じる asks again for a blank window,
// 初期化 asks again with the table blank, 終了 asks, No goes on and Yes ends; a screen reader finds
// the menus.
test('every menu command does what its button or key does', async (t) => {
  const { page } = await open(t);
  await answered(page);
  await page.evaluate(() => { window.played = []; window.Audio = class { constructor(cue) { played.push(cue); } play() { return Promise.resolve(); } }; });
  assert.match(await page.locator('#menubar').ariaSnapshot(), /menuitem "実験\(E\)"[^]*menuitem "ヘルプ\(H\)"/);
  const choose = async (menu, command) => {
    await page.keyboard.press(`Alt+${menu}`);
    await page.keyboard.press(command);
  };
  await choose('e', 's');
  await page.locator('#Label3:not(:empty)').waitFor();
  for (const [command, view] of [['t', 'theory'], ['n', 'evening']]) {
    await choose('v', command);
    await page.locator(`#${view}[open]`).waitFor();
    await page.keyboard.press('Escape');
  }
  for (const open of [() => choose('h', 'u'), () => page.keyboard.press('F1')]) {
    await open();
    assert.match(await page.locator('#Picture1').textContent(), /^\n　【問　　題】\n/);
    await page.locator('#closeHelp').click();
    await answered(page);
    assert.deepEqual(await counts(page), Array(63).fill(''), 'back from the help to a blank window');
  }
  await choose('e', 's');
  await page.locator('#Label3:not(:empty)').waitFor();
  await page.keyboard.press('Alt+e');
  assert.ok(await page.locator('[data-for=Command1]').isDisabled(), '実験開始 disabled after a run, as its button');
  await page.keyboard.press('r');
  assert.equal(await box(page), ' お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]');
  assert.deepEqual(await counts(page), Array(63).fill(''));
  await answered(page);
  await choose('v', 'c');
  assert.equal(await copied(page), readFileSync(new URL('tests/app/golden/copied-before-run.txt', root), 'utf8'));
  await page.locator('#frequencyTable').focus();
  await page.keyboard.press('Shift+F10');
  assert.deepEqual(await page.locator('#tableMenu button').allTextContents(),
    ['理論と比べる(T)　F2', '表をコピー(C)　Ctrl+C', '一晩の様子を見る(N)　F3']);
  assert.ok(await page.locator('#tableMenu [data-key=t]').isDisabled(), 'no run to compare');
  await page.keyboard.press('Escape');
  assert.ok(await page.locator('#tableMenu').isHidden(), 'Esc closes the menu');
  await choose('h', 'a');
  assert.match(await page.locator('#aboutBox[open]').textContent(), /MIT ライセンス/);
  await page.keyboard.press('Enter');
  await choose('e', 'x');
  assert.equal(await answer(page, '', 'Escape'), 'トルミナの実験: 終了していいですか？');
  await page.locator('dialog[open]').waitFor({ state: 'detached' });
  await page.locator('#Command2').click(); // No went on as before: 終了 asks again
  await answer(page, '');
  await page.locator('#ended').waitFor();
  assert.ok(await page.locator('#window').isHidden(), 'Yes: ended');
  const cue = (name) => 'data:audio/wav;base64,' + readFileSync(new URL(`data/${name}.wav`, root)).toString('base64');
  assert.deepEqual(await page.evaluate(() => played), ['pinpon', 'pinpon', 'pinpon', 'endpinpon', 'endpinpon'].map(cue),
    'the help twice and 初期化 chime, each 終了 the end chime');
});
