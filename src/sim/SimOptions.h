// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

enum class OutputFormat { Text, Csv, Json };

struct SimOptions
{
    int guests = 100;
    int trials = 1000;
    // Without a seed the command draws one, so that any run can be repeated.
    std::optional<std::uint64_t> seed;
    OutputFormat format = OutputFormat::Text;
    bool exact = false;
    // One evening guest by guest instead of a run's table.
    bool evening = false;
    std::optional<std::string> chartPath;
    bool help = false;
    bool version = false;
};

// A line for standard error in the language of the locale, naming the
// option and the value; the command exits with status 2 on it.
struct UsageError
{
    std::string message;
};

// Reads the arguments after the program name. Options may be given as
// "--name value" or "--name=value"; a repeated option takes its last value.
std::variant<SimOptions, UsageError> parseOptions(std::span<const char* const> args);

// The --help text, in the language of the locale.
std::string usageText();
