// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// What the page asks of the C++ core (web/core.cpp), as TypeScript sees it.

export interface Run {
  mean: string;
  counts: { size(): number; get(i: number): number; delete(): void };
}

export interface Core {
  readParameter(answer: string, lower: number, upper: number): number;
  runNow(guests: number, trials: number): Run;
  runSeeded(guests: number, trials: number, seed: string): Run;
  classCaption(k: number): string;
  helpLines(): { size(): number; get(i: number): string; delete(): void };
  classCount: number;
  tableColumns: number;
  minGuests: number;
  maxGuests: number;
  minTrials: number;
  maxTrials: number;
}

declare global {
  // Set by the core's script, which the page holds before its own.
  function createCore(): Promise<Core>;
}
