// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "CuePlayer.h"
#include "Dialogs.h"
#include "ExperimentEngine.h"
#include "MainWindow.h"
#include "ProgramEnd.h"
#include "Screen.h"

#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <deque>

// The boxes answer from one script, in order: an input box's text ("" is
// Cancel), or "yes", "no" or "none" (closed without an answer) for a yes/no
// box. Every box, cue and program end goes to one journal, in a user's words;
// a box the script has no answer for fails the test and is cancelled.
class Script final : public Dialogs, public ProgramEnd
{
public:
    QStringList journal;
    std::deque<QString> answers;
    std::function<void()> whileOpen = [] {}; // runs while each box is open

    QString askText(const QString& prompt, const QString& title, const QString& preset) override
    {
        return asked("ask " + title + ": " + prompt + " [" + preset + "]", "");
    }
    std::optional<bool> askYesNo(const QString& prompt, const QString& title) override
    {
        const QString answer = asked("confirm " + title + ": " + prompt, "none");
        return answer == "none" ? std::nullopt : std::optional(answer == "yes");
    }
    QString askSavePath(const QString& title, const QString& suggested,
                        const QString& filter) override
    {
        return asked("ask where " + title + ": " + filter + " [" + QFileInfo(suggested).fileName()
                             + "]",
                     "");
    }
    void inform(const QString& text, const QString& title) override
    {
        journal << "inform " + title + ": " + text;
    }
    void tellAbout(const QString& text, const QString& title) override
    {
        journal << "about " + title + ": " + text;
    }
    void end() override { journal << "program ends"; }
    bool ended() const override { return journal.contains("program ends"); }

private:
    QString asked(const QString& box, const QString& cancel)
    {
        journal << box;
        whileOpen();
        EXPECT_FALSE(answers.empty()) << "a box nobody expected: " << box;
        if (answers.empty())
            return cancel;
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct RecordingCuePlayer final : CuePlayer
{
    explicit RecordingCuePlayer(QStringList& log) : journal(log) { }
    void play(const QString& fileName) override { journal << "cue " + fileName; }
    QStringList& journal;
};

// Read before every experiment: a test can act inside a run.
struct WatchedClock final : Clock
{
    std::function<void()> watch = [] {};
    float secondsSinceMidnight() override { return watch(), 43200.5f; }
};

// A main window whose boxes, cues, program end and random source are ours,
// driven as a user drives it.
class MainWindowTest : public ::testing::Test
{
protected:
    Script script;
    QStringList& journal = script.journal;
    WatchedClock clock;
    RandomSource random{clock, 20261206};
    ExperimentEngine engine{random};

    std::function<std::unique_ptr<CuePlayer>()> cuePlayers()
    {
        return [this] { return std::make_unique<RecordingCuePlayer>(journal); };
    }
    std::unique_ptr<MainWindow> newWindow(ExperimentEngine* runs = nullptr)
    {
        return std::make_unique<MainWindow>(
                MainWindow::Services{script, script, runs ? *runs : engine, cuePlayers(),
                                     [this] { journal << "help"; }});
    }
    // Shown, activated and both boxes answered; the journal starts empty then.
    std::unique_ptr<MainWindow> openWindow(const QString& guests, const QString& trials,
                                           ExperimentEngine* runs = nullptr)
    {
        auto window = newWindow(runs);
        script.answers = {guests, trials};
        window->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience))
                << "the window asked for its parameters";
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get(), kPatience));
        journal.clear();
        return window;
    }
    static QString text(const QWidget& window, const QString& name)
    {
        return window.findChild<QLabel*>(name)->text();
    }
    static QPushButton* button(const QWidget& window, const QString& caption)
    {
        for (auto* button : window.findChildren<QPushButton*>())
            if (button->text() == caption)
                return button;
        ADD_FAILURE() << "no button " << caption;
        return nullptr;
    }
    static void click(const QWidget& window, const QString& caption)
    {
        QTest::mouseClick(button(window, caption), Qt::LeftButton);
    }
    // A key as the keyboard gives it: to whatever holds the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // The focused control as a screen reader names or describes it.
    static QString focused(QAccessible::Text what = QAccessible::Name)
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? QAccessible::queryAccessibleInterface(focus)->text(what) : "";
    }
    // A click the event loop delivers later, as when the program is busy.
    static void postClick(QWidget* target)
    {
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(target,
                                        new QMouseEvent(type, QPointF(5, 5),
                                                        target->mapToGlobal(QPointF(5, 5)),
                                                        Qt::LeftButton, Qt::LeftButton, {}));
    }
    // The class whose count the table's focus mark (or another) is on; 0 if it is on none.
    static int marked(const QWidget& window, const char* mark = "focusMark")
    {
        const auto* frame = window.findChild<QWidget*>(mark);
        for (int k = 1; frame->isVisible() && k <= kClassCount; ++k)
            if (window.findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k))->geometry()
                == frame->geometry())
                return k;
        return 0;
    }
    // The laid-out area's top-left corner on the screen, the 終了 button's.
    static QPoint areaCorner(const QWidget& window)
    {
        return window.findChild<QWidget*>("area")->mapToGlobal(QPoint());
    }
    // What the window shows and says now, as changes from a fresh window answered 100 and 1000
    // (golden/laid-out.txt), after the boxes and cues since the last look: golden/<name>.txt.
    void expectSeen(QWidget& window, const QString& name)
    {
        QFile laidOut(TORUMINA_GOLDEN_DIR "/laid-out.txt");
        ASSERT_TRUE(laidOut.open(QIODevice::ReadOnly));
        const QString now = heard(&window, areaCorner(window));
        expectGolden(journal.join('\n') + "\n--\n"
                             + heardChanges(QString::fromUtf8(laidOut.readAll()), now),
                     name);
        journal.clear();
        // The menu bar's commands with buttons are enabled exactly when their buttons are.
        for (QAction* command : window.findChildren<QAction*>()) {
            const QString caption = command->text().remove(QRegularExpression("\\(&.\\)$"));
            for (QPushButton* button : window.findChildren<QPushButton*>()) {
                if (button->text() == caption) {
                    EXPECT_EQ(command->isEnabled(), button->isEnabled()) << caption;
                }
            }
        }
    }
    // The experiments the table counts.
    static int countSum(const QWidget& window)
    {
        int sum = 0;
        for (int k = 1; k <= kClassCount; ++k)
            sum += text(window, QStringLiteral("dosu(%1)").arg(k)).toInt();
        return sum;
    }
};
