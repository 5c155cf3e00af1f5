// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "RunText.h"
#include "TwipLayout.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>

class CuePlayer;
class Dialogs;
class ExperimentEngine;
class FrequencyTable;
class ProgramEnd;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

// The main window: the parameters, the frequency table of a run of
// experiments with its mean, and four commands on buttons. A menu bar above
// the laid-out area holds those and the commands that have no button: F2
// compares the run with the theory, F3 shows one evening guest by guest,
// Ctrl+C copies the table (these three on the table's context menu too),
// and what the program is.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    // What the window reaches outside itself; tests put fakes here.
    struct Services
    {
        Dialogs& dialogs;
        ProgramEnd& programEnd;
        ExperimentEngine& engine;
        std::function<std::unique_ptr<CuePlayer>()> makeCuePlayer;
        // Replaces this window by the help window; this window is closing.
        std::function<void()> openHelp;
        // The seed of each evening the evening window shows: 32 bits, as
        // torumina-sim draws, few enough digits to read out to a class.
        std::function<std::uint64_t()> drawEveningSeed = [] {
            return std::uint64_t{std::random_device()()};
        };
    };

    explicit MainWindow(Services services);
    ~MainWindow() override; // where CuePlayer is complete

    // Closes the window on the way to the help window, without ending the
    // program.
    void closeForHelp();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Asks for the guests and the experiments; runs when the window is
    // first activated and after a reset.
    void enterParameters();
    // "実験開始"
    void runExperiments();
    // "終了"
    void quit();
    // "初期化"
    void resetTable();
    // "HELP"
    void showHelp();
    // F2, 「理論と比べる」: the one theory window of the run on screen.
    void compareWithTheory();
    // F3, 「一晩の様子を見る」: the one evening window of the guests asked
    // for, with or without a run.
    void watchEvening();
    // Ctrl+C, 「表をコピー」: tableText() on the clipboard.
    void copyTable();
    // 「このプログラムについて」: the version, the licence, the sounds and fonts.
    void tellAbout();

private:
    QMenuBar* buildMenuBar();
    void buildLayout(QWidget* area);
    void addTableMenu();
    // A command of the menu bar, which runs only while the window takes input.
    QAction* addCommand(QMenu* menu, const QString& text, void (MainWindow::*handler)(),
                        const QKeySequence& key = {});
    // At the mouse, or for a key (no position) at the marked cell.
    void showTableMenu(std::optional<QPoint> mouseAt);
    // The theory and evening windows, which belong to the run and the
    // guests on screen.
    void closeSideWindows();
    std::array<QWidget*, 2> sideWindows() const;
    // Whether object belongs to a side window the user closed, which lives
    // on until this window is active again.
    bool isClosedSideWindow(const QObject* object) const;

    Services services_;
    // The window's scale, chosen once as it opens: as laid out, unless the
    // screen is too small for it.
    TwipLayout layout_;
    std::unique_ptr<CuePlayer> cuePlayer_;
    // The buttons follow their commands' enabled state.
    QAction* startAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* resetAction_ = nullptr;
    QAction* helpAction_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    FrequencyTable* table_ = nullptr;
    QLabel* guestCountLabel_ = nullptr;
    QLabel* trialCountLabel_ = nullptr;
    QLabel* meanLabel_ = nullptr;
    QAction* compareAction_ = nullptr;
    QAction* eveningAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QMenu* tableMenu_ = nullptr;
    // As plain widgets: a side window is compared with a widget's window while
    // its own destructor has run and QWidget's still sends events.
    QPointer<QWidget> theory_;
    QPointer<QWidget> evening_;
    // The guests and trials asked for, 0 until answered; and the run the
    // table shows, none before a run and after a reset.
    int guests_ = 0;
    int trials_ = 0;
    std::optional<ExperimentResult> run_;
    bool activated_ = false;
    // False until both parameters are answered (first and after a reset),
    // while a run computes, and once the window is on its way to the help
    // window: user input meant for the window is dropped then.
    bool takesInput_ = false;
    bool leavingForHelp_ = false;
};
