// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

// Lets screen readers meet the frequency table as a table of counts: 7 rows
// of 9 cells, each headed by its class's caption, and follow the marked
// cell. Safe to call more than once.
void installFrequencyTableAccessibility();
