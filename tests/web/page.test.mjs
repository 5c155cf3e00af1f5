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

// A page of its own; every request it makes and every error it throws.
async function open(t, hash = '', viewport = { width: 1366, height: 768 }, colorScheme = 'light') {
  // No session bus: with dbus-x11 installed, libdbus would start one that outlives the test.
  const env = { ...process.env, DBUS_SESSION_BUS_ADDRESS: 'unix:path=/nonexistent' };
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'], env });
  t.after(() => browser.close());
  const page = await browser.newPage({ viewport, colorScheme });
  const requests = [], errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(PAGE + hash);
  return { page, requests, errors };
}

// The box now open: its title, prompt and default answer, or its question.
async function box(page) {
  const open = page.locator('dialog[open]');
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

// OK on both questions, their defaults; then the window takes input.
async function defaults(page) {
  await answer(page, '');
  await answer(page, '');
  await ready(page);
}

const counts = (page) => page.locator('#frequencyTable td').allTextContents();

// torumina-sim's CSV report in tests/sim/golden: each class's row, [class, label, count].
const classRows = (golden) => readFileSync(new URL(`tests/sim/golden/${golden}.txt`, root), 'utf8')
  .split('\n').filter((line) => /^\d+,/.test(line)).map((line) => line.split(','));

test('the questions ask again until answered, then a seeded run is torumina-sim\'s', async (t) => {
  const { page, requests, errors } = await open(t, '#seed=7');
  const asked = [
    await answer(page, '9.99'), await answer(page, '', 'Escape'), await answer(page, 'n', null),
    await answer(page, '１０'), await answer(page, '37'),
  ];
  assert.deepEqual(asked, [
    ' お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]',
    ' お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]',
    '確認: 終了していいですか？',
    ' お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]',
    ' 実験回数の設定: 1以上10000以下の整数を入力してください．．． [1000]',
  ]);
  await ready(page);
  await page.keyboard.press('Enter');
  await page.locator('#Label3:not(:empty)').waitFor();
  const rows = classRows('csv');
  assert.deepEqual(await counts(page), rows.map((row) => row[2]), 'torumina-sim --guests 10 --trials 37 --seed 7');
  // As a screen reader reads each count: the count, described by its class's caption.
  const { nodes } = await (await page.context().newCDPSession(page)).send('Accessibility.getFullAXTree');
  assert.deepEqual(nodes.filter((n) => n.role?.value === 'cell').map((n) => [n.name.value, n.description?.value]),
    rows.map((row) => [row[2], `不足枚数 ${row[1].replace(/ +/g, ' ')}`])); // spaces run together, as read
  assert.equal(await page.locator('#frequencyTable').getAttribute('aria-description'),
    `不足枚数の平均 ${await page.locator('#Label3').textContent()}（お客人数 10、実験回数 37）。次の実験は［初期化］から。`);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'frequencyTable', 'the focus on the result');
  assert.ok(await page.locator('#Command1').isDisabled());
  assert.deepEqual(requests, [PAGE], 'no request leaves the page');
  assert.deepEqual(await page.evaluate(() => [localStorage.length, sessionStorage.length, document.cookie]), [0, 0, '']);
  assert.deepEqual(errors, []);
});

// Every 64-bit seed, beyond what a JavaScript number holds exactly.
test('the largest seed runs as torumina-sim runs it', async (t) => {
  const { page } = await open(t, '#seed=18446744073709551615');
  await answer(page, '10');
  await answer(page, '5');
  await ready(page);
  await page.keyboard.press('Enter');
  await page.locator('#Label3:not(:empty)').waitFor();
  assert.deepEqual(await counts(page), classRows('csv-largest-seed').map((row) => row[2]));
});

// The menu bar and the area under it.
test('the window fits each screen whole, without scrolling', async (t) => {
  for (const [width, height] of [[1366, 768], [1080, 810], [810, 1080], [911, 512]]) {
    const { page } = await open(t, '', { width, height });
    await box(page);
    const area = await page.locator('#window').boundingBox();
    assert.ok(area.x >= 0 && area.y >= 0 && area.x + area.width <= width + 0.5 && area.y + area.height <= height + 0.5,
      `${width}×${height}: ${JSON.stringify(area)}`);
  }
});

// From every cell, each arrow key moves the mark to the neighbouring count on the screen, or keeps
// it at the table's edge; Home and End to the ends of its row.
test('every key on every cell moves the mark to the count it points to', async (t) => {
  const { page } = await open(t);
  await defaults(page);
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

// Every text against what it is drawn on, WCAG AA, after a run, in either scheme.
test('every text is readable in the light and the dark scheme', async (t) => {
  for (const scheme of ['light', 'dark']) {
    const { page } = await open(t, '', undefined, scheme);
    await defaults(page);
    await page.locator('#Command1').click();
    const poor = await page.locator('#area').evaluate((area) => {
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
      return [...area.querySelectorAll('*')]
        .filter((e) => [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()))
        .map((e) => {
          const [a, b] = [luminance(rgb(getComputedStyle(e).color)), luminance(ground(e))];
          return [e.id || e.textContent, (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05)];
        })
        .filter(([, ratio]) => ratio < 4.5);
    });
    assert.deepEqual(poor, [], scheme);
  }
});

// Each command of the menu bar, chosen by the keyboard, does what its button or key does, enabled as
// the button is: 初期化 asks again with the table blank, the help shows its text and 閉じる asks
// again, 終了 asks, No goes on and Yes ends; a screen reader finds the menus.
test('every menu command does what its button or key does', async (t) => {
  const { page } = await open(t);
  await defaults(page);
  assert.match(await page.locator('#menubar').ariaSnapshot(), /menuitem "実験\(E\)"[^]*menuitem "ヘルプ\(H\)"/);
  const choose = async (menu, command) => {
    await page.keyboard.press(`Alt+${menu}`);
    await page.keyboard.press(command);
  };
  await choose('e', 's');
  await page.locator('#Label3:not(:empty)').waitFor();
  await page.keyboard.press('Alt+e');
  assert.ok(await page.locator('[data-for=Command1]').isDisabled(), '実験開始 disabled after a run, as its button');
  await page.keyboard.press('r');
  assert.equal(await box(page), ' お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]');
  assert.deepEqual(await counts(page), Array(63).fill(''));
  await defaults(page);
  for (const open of [() => choose('h', 'u'), () => page.keyboard.press('F1')]) {
    await open();
    assert.match(await page.locator('#Picture1').textContent(), /^\n　【問　　題】\n/);
    await page.locator('#closeHelp').click();
    await defaults(page);
  }
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
});
