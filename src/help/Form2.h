// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

class PictureBox;

// The help window: prints the problem, the idea of the experiment and the
// operating instructions, and leads back to the main window when closed.
// It does not know the main window; whoever opened it listens to closed().
// The window deletes itself once closed.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    // Clears the picture box and prints the help text into it. Runs on every
    // activation of the window.
    void Form_Activate();

    // "閉じる" (also Esc): closes the window, exactly as its close box does.
    void Command1_Click();

signals:
    // Emitted once, after the window has disappeared from the screen,
    // however it was closed.
    void closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void notifyClosed();

    PictureBox* Picture1_ = nullptr;
    bool closing_ = false;
    bool closedEmitted_ = false;
};
