// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// evening_screenshots FOLDER: writes evening-light.png and evening-dark.png,
// the evening window with three evenings of 35 guests (seeds 1234, 8 and
// 3, the last one finished) under Fusion's light palette and under the
// dark one the look tests use, as doc/screenshots keeps them.

#include "EveningWindow.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

#include <deque>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const std::pair<const char*, QPalette> palettes[] = {
            {"light", QApplication::style()->standardPalette()},
            {"dark", QPalette(QColor(53, 53, 53))}};
    for (const auto& [name, palette] : palettes) {
        QApplication::setPalette(palette);
        std::deque<std::uint64_t> seeds{1234, 8, 3};
        EveningWindow window(35, [&seeds] {
            const std::uint64_t seed = seeds.front();
            seeds.pop_front();
            return seed;
        });
        window.serveAll();
        window.nextEvening();
        window.serveAll();
        window.nextEvening();
        window.serveAll();
        window.show();
        QCoreApplication::processEvents();
        const QString path = folder.filePath(QStringLiteral("evening-%1.png").arg(name));
        if (!window.grab().save(path)) {
            qWarning("cannot write %s", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
