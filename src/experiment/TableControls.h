// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>

// The controls of the main window that the run and the reset write to.
struct TableControls
{
    QWidget* form = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label82 = nullptr;
    // Indexed 1..63 like the frequency classes; element 0 stays null.
    std::array<QLabel*, 64> dosu{};
};
