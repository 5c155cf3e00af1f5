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
async function open(t, hash = '', viewport = { width: 1366, height: 768 }) {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  t.after(() => browser.close());
  const page = await browser.newPage({ viewport });
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

const counts = (page) => page.locator('#frequencyTable td').allTextContents();

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
  await page.locator('#Command1:focus').waitFor(); // the focus on 実験開始, so that Enter runs
  await page.keyboard.press('Enter');
  await page.locator('#Label3:not(:empty)').waitFor();
  const golden = readFileSync(new URL('tests/sim/golden/csv.txt', root), 'utf8');
  const expected = golden.split('\n').filter((line) => /^\d+,/.test(line)).map((line) => line.split(',')[2]);
  assert.deepEqual(await counts(page), expected, 'torumina-sim --guests 10 --trials 37 --seed 7');
  assert.equal(await page.locator('#frequencyTable').getAttribute('aria-description'),
    `不足枚数の平均 ${await page.locator('#Label3').textContent()}（お客人数 10、実験回数 37）。次の実験は［初期化］から。`);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'frequencyTable', 'the focus on the result');
  assert.ok(await page.locator('#Command1').isDisabled());
  assert.deepEqual(requests, [PAGE], 'no request leaves the page');
  assert.deepEqual(await page.evaluate(() => [localStorage.length, sessionStorage.length, document.cookie]), [0, 0, '']);
  assert.deepEqual(errors, []);
});

test('初期化 asks again with the table blank; HELP shows the help, 閉じる asks again; 終了 ends', async (t) => {
  const { page } = await open(t);
  await answer(page, '');
  await answer(page, '');
  await page.locator('#Command1').click();
  await page.locator('#Command3').click();
  assert.equal(await box(page), ' お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]');
  assert.deepEqual(await counts(page), Array(63).fill(''));
  await answer(page, '');
  await answer(page, '');
  await page.locator('#Command4').click();
  assert.match(await page.locator('#Picture1').textContent(), /^\n　【問　　題】\n/);
  await page.locator('#closeHelp').click();
  await answer(page, '');
  await answer(page, '');
  await page.locator('#Command2').click();
  assert.equal(await answer(page, '', 'Escape'), 'トルミナの実験: 終了していいですか？');
  assert.ok(await page.locator('#area').isVisible(), 'No: as before');
  await page.locator('#Command2').click();
  await answer(page, '');
  await page.locator('#ended').waitFor();
  assert.ok(await page.locator('#area').isHidden(), 'Yes: ended');
});

test('the window fits each screen whole, without scrolling', async (t) => {
  for (const [width, height] of [[1366, 768], [1080, 810], [810, 1080], [911, 512]]) {
    const { page } = await open(t, '', { width, height });
    await box(page);
    const area = await page.locator('#area').boundingBox();
    assert.ok(area.x >= 0 && area.y >= 0 && area.x + area.width <= width + 0.5 && area.y + area.height <= height + 0.5,
      `${width}×${height}: ${JSON.stringify(area)}`);
  }
});
