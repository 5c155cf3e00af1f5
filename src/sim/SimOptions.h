// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <memory>
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

// The arguments after the program name, read once as they come. Reading
// them needs no application object; checking them does, for the language
// of its messages, and waits for options().
class SimArguments
{
public:
    explicit SimArguments(std::span<const char* const> args);
    ~SimArguments();

    // Whether a run is to save a chart, for which it needs the fonts of a
    // QGuiApplication.
    bool asksForChart() const;
    // What the arguments ask for, or why they can't be run. Options may be
    // given as "--name value" or "--name=value"; a repeated option takes its
    // last value.
    std::variant<SimOptions, UsageError> options() const;

private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
};

// The --help text, in the language of the locale.
std::string usageText();
