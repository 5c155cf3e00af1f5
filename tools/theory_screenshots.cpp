// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// theory_screenshots FOLDER: writes theory-light.png and theory-dark.png, the
// theory window after a seeded run of 1000 experiments of 100 guests under
// Fusion's light palette and under the dark one the look tests use, as
// doc/screenshots keeps them. No palette can be set from outside the
// program without a platform theme, hence this program.

#include "QtDialogs.h"
#include "TheoryWindow.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    StillClock clock;
    RandomSource random(clock, 3887406503);
    const ShownRun run{100, 1000, ExperimentEngine(random).run(100, 1000)};
    QtDialogs dialogs;
    const std::pair<const char*, QPalette> palettes[] = {
            {"light", QApplication::style()->standardPalette()},
            {"dark", QPalette(QColor(53, 53, 53))}};
    for (const auto& [name, palette] : palettes) {
        QApplication::setPalette(palette);
        TheoryWindow window(run, dialogs);
        window.show();
        QCoreApplication::processEvents();
        const QString path = folder.filePath(QStringLiteral("theory-%1.png").arg(name));
        if (!window.grab().save(path)) {
            qWarning("cannot write %s", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
