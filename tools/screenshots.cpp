// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// screenshots FOLDER: writes the screenshots doc/screenshots keeps, each
// under Fusion's light palette and under the dark one the look tests use:
// theory-*.png, the theory window after a seeded run of 1000 experiments of
// 100 guests, and evening-*.png, the evening window with three evenings of
// 35 guests (seeds 1234, 8 and 3). No palette can be set from outside the
// program without a platform theme, hence this program.

#include "EveningWindow.h"
#include "QtDialogs.h"
#include "TheoryWindow.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

#include <deque>
#include <memory>

namespace {

std::unique_ptr<QWidget> theoryWindow(Dialogs& dialogs)
{
    return std::make_unique<TheoryWindow>(SeededRun(3887406503).run(100, 1000), dialogs);
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
    QtDialogs dialogs;
    const std::pair<const char*, QPalette> palettes[] = {
            {"light", QApplication::style()->standardPalette()},
            {"dark", QPalette(QColor(53, 53, 53))}};
    for (const auto& [name, palette] : palettes) {
        QApplication::setPalette(palette);
        const std::pair<std::unique_ptr<QWidget>, const char*> windows[] = {
                {theoryWindow(dialogs), "theory"}, {eveningWindow(), "evening"}};
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
