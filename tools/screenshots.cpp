// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// screenshots FOLDER: writes the screenshots doc/screenshots keeps, each
// under Fusion's light palette and under the dark one the look tests use:
// main-after-run-*.png and theory-*.png, the main and theory windows after a
// seeded run of 1000 experiments of 100 guests, and evening-*.png, the evening window with three
// evenings of 35 guests (seeds 1234, 8 and 3). No palette can be set from outside the program
// without a platform theme, hence this program.

#include "CuePlayer.h"
#include "EveningWindow.h"
#include "MainWindow.h"
#include "ProgramEnd.h"
#include "Dialogs.h"
#include "TheoryWindow.h"

#include <QApplication>
#include <QDir>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <deque>
#include <memory>

namespace {

constexpr std::uint64_t kSeed = 3887406503;

// OK on both questions, their default answers (100 guests and 1000
// experiments); no other box, cue or end comes while the pictures are taken.
struct Defaults final : Dialogs, ProgramEnd, CuePlayer
{
    QString askText(const QString&, const QString&, const QString& preset) override
    {
        return preset;
    }
    std::optional<bool> askYesNo(const QString&, const QString&) override { return {}; }
    QString askSavePath(const QString&, const QString&, const QString&) override { return {}; }
    void inform(const QString&, const QString&) override { }
    void tellAbout(const QString&, const QString&) override { }
    void end() override { }
    bool ended() const override { return false; }
    void play(const QString&) override { }
};

std::unique_ptr<QWidget> mainWindow(Defaults& defaults, SeededRun& seeded)
{
    auto window = std::make_unique<MainWindow>(
            MainWindow::Services{defaults, defaults, seeded.engine(),
                                 [] { return std::unique_ptr<CuePlayer>(new Defaults); }, [] {}});
    window->show();
    window->activateWindow();
    // Asked and answered once the window is active.
    const auto* trials = window->findChild<QLabel*>(QStringLiteral("Label2"));
    for (QDeadlineTimer deadline(60000); trials->text().isEmpty() && !deadline.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    return window;
}

std::unique_ptr<QWidget> theoryWindow(Dialogs& dialogs)
{
    return std::make_unique<TheoryWindow>(SeededRun(kSeed).run(100, 1000), dialogs);
}

std::unique_ptr<QWidget> eveningWindow()
{
    auto window = std::make_unique<EveningWindow>(
            35, [seeds = std::deque<std::uint64_t>{1234, 8, 3}]() mutable {
                const std::uint64_t seed = seeds.front();
                seeds.pop_front();
                return seed;
            });
    window->serveAll();
    window->nextEvening();
    window->serveAll();
    window->nextEvening();
    window->serveAll();
    return window;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    Defaults dialogs;
    const std::pair<const char*, QPalette> palettes[] = {
            {"light", QApplication::style()->standardPalette()},
            {"dark", QPalette(QColor(53, 53, 53))}};
    for (const auto& [name, palette] : palettes) {
        QApplication::setPalette(palette);
        SeededRun seeded(kSeed);
        const std::pair<std::unique_ptr<QWidget>, const char*> windows[] = {
                {mainWindow(dialogs, seeded), "main-after-run"},
                {theoryWindow(dialogs), "theory"},
                {eveningWindow(), "evening"}};
        for (const auto& [window, kind] : windows) {
            window->show();
            QCoreApplication::processEvents();
            const QString path = folder.filePath(QStringLiteral("%1-%2.png").arg(kind, name));
            if (!window->grab().save(path)) {
                qWarning("cannot write %s", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
