// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

// The captions of the frequency table and of the figures that the window
// copies and torumina-sim reports, in UTF-8: a worksheet made for one reads
// the other.
inline constexpr char kGuestsCaption[] = "お客人数";
inline constexpr char kTrialsCaption[] = "実験回数";
inline constexpr char kSeedCaption[] = "乱数の種";
// Over the classes of the lowest balance, their counts and what the theory
// expects of them.
inline constexpr char kShortfallCaption[] = "不足枚数";
inline constexpr char kCountCaption[] = "度数";
inline constexpr char kExpectedCountCaption[] = "期待度数";
// 度数 spaced to the width of 不足枚数 in the title cell above it.
inline constexpr char kCountRowCaption[] = "度　　数";
inline constexpr char kMeanCaption[] = "不足枚数の平均";
inline constexpr char kTheoryMeanCaption[] = "理論上の不足枚数の平均";
inline constexpr char kTheoryVarianceCaption[] = "理論上の不足枚数の分散";
// The coins for each share of the evenings, from the run and from the theory.
inline constexpr char kCoinsCaption[] = "用意する５００円玉の枚数（その割合の夜に足りる数）";
inline constexpr char kFromRunCaption[] = "実験から";
inline constexpr char kFromTheoryCaption[] = "理論上の分布から";
