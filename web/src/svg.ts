// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The charts' drawing: SVG elements made from their attributes.

export type Attributes = Record<string, string | number>;

export function draw(parent: Element, tag: string, attributes: Attributes, text?: string): SVGElement {
  const element = document.createElementNS('http://www.w3.org/2000/svg', tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, String(value));
  if (text !== undefined) element.textContent = text;
  parent.append(element);
  return element;
}

// A polyline's points.
export const points = (xy: [number, number][]) => xy.map(([x, y]) => `${x},${y}`).join(' ');
