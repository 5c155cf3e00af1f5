// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// node build.mjs CORE.js CORE_SIMD.js OUT.html: the page in one file,
// offline: the core's scripts without and with WebAssembly SIMD (each its
// WebAssembly inside), the page's script bundled by esbuild, and both cues
// as data: URLs.
import { build } from 'esbuild';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname } from 'node:path';

const [core, coreSimd, out] = process.argv.slice(2);
const here = new URL('.', import.meta.url);
const cue = (name) => 'data:audio/wav;base64,' + readFileSync(new URL(`../data/${name}`, here)).toString('base64');
const page = await build({
  entryPoints: [new URL('src/main.ts', here).pathname],
  bundle: true,
  write: false,
  format: 'iife',
  target: 'es2020',
  minify: true,
  define: { PINPON: JSON.stringify(cue('pinpon.wav')), ENDPINPON: JSON.stringify(cue('endpinpon.wav')) },
});
// A script's text must not close its own element.
const inline = (code) => `<script>${code.replaceAll('</script', '<\\/script')}</script>`;
const html = readFileSync(new URL('page.html', here), 'utf8')
  .replace('<!-- core -->', () => inline(readFileSync(core, 'utf8')) + inline(readFileSync(coreSimd, 'utf8')))
  .replace('<!-- page -->', () => inline(page.outputFiles[0].text));
mkdirSync(dirname(out), { recursive: true });
writeFileSync(out, html);
