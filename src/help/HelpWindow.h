// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

class HelpTextView;

// The help window: prints the problem, the idea of the experiment and the
// operating instructions, and leads back to the main window when closed.
// It does not know the main window; whoever opened it listens to closed().
// The window deletes itself once closed.
class HelpWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

signals:
    // Emitted once, after the window has disappeared from the screen,
    // however it was closed.
    void closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Runs on every activation, so the text is there once, never twice.
    void printHelpText();
    void notifyClosed();

    HelpTextView* textView_ = nullptr;
    bool closing_ = false;
    bool closedEmitted_ = false;
};
