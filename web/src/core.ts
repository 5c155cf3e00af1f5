// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// What the page asks of the C++ core (web/core.cpp), as TypeScript sees it.

// A C++ vector; its memory is the core's until deleted.
export interface Vector<T> {
  size(): number;
  get(i: number): T;
  delete(): void;
}

// The vector's items, its memory given back.
export function list<T>(vector: Vector<T>): T[] {
  const items = Array.from({ length: vector.size() }, (_, i) => vector.get(i));
  vector.delete();
  return items;
}

export interface Run {
  mean: string;
  counts: Vector<number>;
}

export interface Theory {
  question: string;
  answers: Vector<string>;
  means: string;
  copied: string;
  title: string;
  fileName: string; // a saved chart's
  words: Vector<string>; // the axes' titles, then the legend's
  lowest: number;
  yStep: number;
  yMax: number;
  xStep: number;
  counts: Vector<number>; // bar by bar from lowest
  expected: Vector<number>;
  coverage: Vector<number>;
  labels: Vector<string>;
  figureCounts: Vector<string>; // class 1 first
  figureExpected: Vector<string>;
}

export interface Evening {
  seed: string; // '' where the text was no seed
  stocks: Vector<number>;
  steps: Vector<string>;
  answer: string;
  tableClass: number;
  lowest: number;
}

export interface Core {
  readParameter(answer: string, lower: number, upper: number): number;
  runNow(guests: number, trials: number): Run;
  runSeeded(guests: number, trials: number, seed: string): Run;
  copiedTable(guests: number, trials: number, ran: boolean): string;
  theory(): Theory;
  evening(seed: string, guests: number): Evening;
  drawSeed(): string;
  eveningStart(guests: number): string;
  classCaption(k: number): string;
  helpLines(): Vector<string>;
  classCount: number;
  tableColumns: number;
  minGuests: number;
  maxGuests: number;
  minTrials: number;
  maxTrials: number;
}

declare global {
  // Set by the cores' scripts, which the page holds before its own.
  function createCore(): Promise<Core>;
  function createCoreSimd(): Promise<Core>;
}

// The smallest module with a SIMD instruction, (func (result v128) v128.const 0).
const SIMD_PROBE = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10, 22, 1, 20, 0, 253, 12, ...Array(16).fill(0), 11]);

// The core with WebAssembly SIMD where the browser has it, which runs the
// largest run in half the time; the plain one elsewhere (older iPads).
export function loadCore(): Promise<Core> {
  return WebAssembly.validate(SIMD_PROBE) ? createCoreSimd() : createCore();
}
