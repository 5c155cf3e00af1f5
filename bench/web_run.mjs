// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// node bench/web_run.mjs [REPEATS] [--no-simd]: in Debian's chromium, the time from a click on
// 実験開始 to the frame that shows the table, for the largest run (1000 guests × 10000
// experiments), on the page make web builds; the minimum and the median of REPEATS fresh pages.
// --no-simd: as a browser without WebAssembly SIMD, which gets the plain core.
import { chromium } from '../web/node_modules/playwright-core/index.mjs';

const repeats = Number(process.argv.find((arg) => /^\d+$/.test(arg)) ?? 10);
const simd = !process.argv.includes('--no-simd');
const page = new URL('../build/web/torumina.html', import.meta.url).href;
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
const times = [];
try {
  for (let n = 0; n < repeats; ++n) {
    const tab = await browser.newPage();
    if (!simd) await tab.addInitScript(() => { WebAssembly.validate = () => false; });
    await tab.goto(page);
    for (const [title, answer] of [['お客人数', '1000'], ['実験回数', '10000']]) {
      await tab.locator('dialog[open] h2', { hasText: title }).waitFor();
      await tab.keyboard.type(answer);
      await tab.keyboard.press('Enter');
    }
    await tab.locator('#Command1:focus').waitFor();
    times.push(await tab.evaluate(() => new Promise((resolve) => {
      const start = performance.now();
      document.getElementById('Command1').click();
      requestAnimationFrame(() => resolve(performance.now() - start));
    })));
    await tab.close();
  }
} finally {
  await browser.close();
}
times.sort((a, b) => a - b);
console.log(`1000 × 10000, click to table: min ${times[0].toFixed(1)} ms, median ${times[times.length >> 1].toFixed(1)} ms (${repeats} pages, ${simd ? 'SIMD' : 'plain'} core)`);
