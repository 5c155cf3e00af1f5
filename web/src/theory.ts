// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// 「理論と比べる」: the run beside the exact law, as the desktop's theory
// window shows it: the answer in words, both means, the chart (as SVG, on
// the plan the desktop paints it on) and the 63 classes' figures.

import { list, type Core, type Theory } from './core';
import { copy, isCopyKey } from './clipboard';
import { draw, points, type Attributes } from './svg';

const byId = (id: string) => document.getElementById(id) as HTMLElement;

// The desktop's chart: its size, its margins and its colours.
const [WIDTH, HEIGHT] = [1000, 600];
const [LEFT, TOP, RIGHT, BOTTOM] = [90, 72, 30, 80];
const BARS = 'rgb(70,130,180)';
const EXPECTED = 'rgb(200,40,40)';
const COVERAGE = 'rgb(20,110,50)';

function drawChart(svg: SVGSVGElement, theory: Theory): void {
  svg.replaceChildren();
  const [counts, expected, coverage, labels] = [list(theory.counts), list(theory.expected), list(theory.coverage), list(theory.labels)];
  const [xTitle, yTitle, barsLegend, expectedLegend, coverageLegend] = list(theory.words);
  const plot = { left: LEFT, top: TOP, width: WIDTH - LEFT - RIGHT, height: HEIGHT - TOP - BOTTOM };
  const bottom = plot.top + plot.height;
  const slot = plot.width / counts.length;
  const xOf = (m: number) => plot.left + (m - theory.lowest + 0.5) * slot;
  const yOf = (count: number) => bottom - (count / theory.yMax) * plot.height;
  draw(svg, 'rect', { width: WIDTH, height: HEIGHT, fill: '#fff' });
  const small = { 'font-size': 13, fill: '#000' };
  for (let y = 0; y <= theory.yMax + theory.yStep / 2; y += theory.yStep) {
    draw(svg, 'line', { x1: plot.left, x2: plot.left + plot.width, y1: yOf(y), y2: yOf(y), stroke: 'rgb(225,225,225)' });
    draw(svg, 'text', { ...small, x: plot.left - 8, y: yOf(y), 'text-anchor': 'end', 'dominant-baseline': 'central' }, String(+y.toPrecision(10)));
  }
  const barWidth = Math.max(1, slot * 0.8);
  counts.forEach((count, i) => {
    if (count > 0) draw(svg, 'rect', { x: xOf(theory.lowest + i) - barWidth / 2, y: yOf(count), width: barWidth, height: bottom - yOf(count), fill: BARS });
  });
  const line: [number, number][] = expected.map((count, i) => [xOf(theory.lowest + i), yOf(count)]);
  draw(svg, 'polyline', { points: points(line), fill: 'none', stroke: EXPECTED, 'stroke-width': 2 });
  if (slot >= 6) for (const [x, y] of line) draw(svg, 'circle', { cx: x, cy: y, r: 2.5, fill: EXPECTED });
  coverage.forEach((coins, i) => {
    const x = xOf(-coins) - slot / 2;
    draw(svg, 'line', { x1: x, x2: x, y1: plot.top, y2: bottom, stroke: COVERAGE, 'stroke-width': 1.5, 'stroke-dasharray': '6 3' });
    const label = draw(svg, 'text', { x: x + 7, y: plot.top + 12 + 18 * i, 'font-size': 13, fill: COVERAGE, 'dominant-baseline': 'central' }, labels[i]);
    // Left of its line where it would leave the plot.
    if (x + 7 + (label as SVGTextElement).getComputedTextLength() > plot.left + plot.width) {
      label.setAttribute('text-anchor', 'end');
      label.setAttribute('x', String(x - 7));
    }
  });
  draw(svg, 'polyline', { points: points([[plot.left, plot.top], [plot.left, bottom], [plot.left + plot.width, bottom]]), fill: 'none', stroke: '#000' });
  for (let m = theory.lowest; m <= 1; ++m) {
    if (m % theory.xStep !== 0) continue;
    draw(svg, 'line', { x1: xOf(m), x2: xOf(m), y1: bottom, y2: bottom + 5, stroke: '#000' });
    draw(svg, 'text', { ...small, x: xOf(m), y: bottom + 20, 'text-anchor': 'middle' }, String(m));
  }
  draw(svg, 'text', { x: plot.left + plot.width / 2, y: HEIGHT - 20, 'font-size': 15, 'text-anchor': 'middle', fill: '#000' }, xTitle);
  draw(svg, 'text', { transform: `translate(22 ${plot.top + plot.height / 2}) rotate(-90)`, 'font-size': 15, 'text-anchor': 'middle', 'dominant-baseline': 'central', fill: '#000' }, yTitle);
  draw(svg, 'text', { x: WIDTH / 2, y: 28, 'font-size': 17, 'font-weight': 'bold', 'text-anchor': 'middle', fill: '#000' }, theory.title);
  // One row between the title and the plot, each word after its mark;
  // measured, so the page must show the chart first.
  let x = plot.left;
  const legend = (mark: Attributes & { tag: string }, words: string) => {
    const { tag, ...attributes } = mark;
    draw(svg, tag, attributes);
    x += 30 + (draw(svg, 'text', { ...small, x: x + 30, y: 55 }, words) as SVGTextElement).getComputedTextLength() + 28;
  };
  legend({ tag: 'rect', x, y: 44, width: 22, height: 12, fill: BARS }, barsLegend);
  legend({ tag: 'line', x1: x, x2: x + 22, y1: 50, y2: 50, stroke: EXPECTED, 'stroke-width': 2 }, expectedLegend);
  legend({ tag: 'line', x1: x + 11, x2: x + 11, y1: 42, y2: 58, stroke: COVERAGE, 'stroke-width': 1.5, 'stroke-dasharray': '6 3' }, coverageLegend);
}

// The view of the core's run, each time anew; 数値をコピー copies what the
// desktop copies.
export function showTheory(core: Core): void {
  const theory = core.theory();
  const answers = list(theory.answers);
  byId('question').textContent = theory.question;
  answers.forEach((answer, i) => (byId(`answer${i}`).textContent = answer));
  byId('means').textContent = theory.means;
  const chart = byId('chart') as unknown as SVGSVGElement;
  // What a screen reader hears of the chart: the answer in words.
  chart.setAttribute('aria-description', [...answers, theory.means].join('。'));
  const [counts, expected] = [list(theory.figureCounts), list(theory.figureExpected)];
  const rows = counts.map((count, i) => {
    const row = document.createElement('tr');
    for (const text of [core.classCaption(i + 1), count, expected[i]]) row.insertCell().textContent = text;
    return row;
  });
  byId('figures').querySelector('tbody')!.replaceChildren(...rows);
  byId('copyFigures').onclick = () => void copy(theory.copied);
  byId('saveChart').onclick = () => saveChart(chart, theory.fileName);
  const dialog = byId('theory') as HTMLDialogElement;
  dialog.onkeydown = (event) => {
    if (isCopyKey(event)) void copy(theory.copied);
  };
  byId('chartTab').onclick = () => showPage('chartTab');
  // The arrows go from tab to tab.
  for (const tab of document.querySelectorAll<HTMLElement>('#theory [role=tab]')) {
    tab.onkeydown = (event) => {
      if (!['ArrowLeft', 'ArrowRight'].includes(event.key)) return;
      const other = byId(tab.id === 'chartTab' ? 'figuresTab' : 'chartTab');
      other.click();
      other.focus();
    };
  }
  dialog.showModal();
  showPage('chartTab');
  drawChart(chart, theory);
  // A table of 100 guests has its figures far down: they open where they
  // start, once they are on screen and can scroll.
  const first = Math.max(0, counts.findIndex((count, i) => count !== '0' || expected[i] !== '0.0'));
  let placed = false;
  byId('figuresTab').onclick = () => {
    showPage('figuresTab');
    if (!placed) byId('figuresBox').scrollTop = rows[first].offsetTop - byId('figures').querySelector('thead')!.offsetHeight;
    placed = true;
  };
  chart.focus();
}

// The page of the tab, the other hidden.
function showPage(tabId: string): void {
  for (const tab of document.querySelectorAll<HTMLElement>('#theory [role=tab]')) {
    const chosen = tab.id === tabId;
    tab.setAttribute('aria-selected', String(chosen));
    tab.tabIndex = chosen ? 0 : -1;
    byId(tab.getAttribute('aria-controls')!).hidden = !chosen;
  }
}

// グラフを保存: the chart as the PNG the desktop program saves, at its size,
// downloaded under the desktop's name for it.
function saveChart(chart: SVGSVGElement, fileName: string): void {
  const image = new Image(WIDTH, HEIGHT);
  image.onload = () => {
    const canvas = Object.assign(document.createElement('canvas'), { width: WIDTH, height: HEIGHT });
    canvas.getContext('2d')!.drawImage(image, 0, 0);
    canvas.toBlob((png) => {
      const link = Object.assign(document.createElement('a'), { href: URL.createObjectURL(png!), download: fileName });
      link.click();
      // Once the download has surely read it.
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }, 'image/png');
  };
  image.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(new XMLSerializer().serializeToString(chart));
}
