// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QStyle>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

// How long a widget test waits for the program: room for a loaded machine.
constexpr int kPatience = 60000;

// Failures show texts as texts.
inline std::ostream& operator<<(std::ostream& out, const QString& text)
{
    return out << '"' << text.toStdString() << '"';
}

// A dark desktop scheme, then the style's own light one, which stays set.
inline std::vector<QPalette> themes()
{
    return {QPalette(QColor(53, 53, 53)), QApplication::style()->standardPalette()};
}

// The WCAG 2 contrast ratio.
inline double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

// Every label of a window readable on what it is drawn on (WCAG AA).
inline void expectReadable(QWidget& window)
{
    const QImage screen = window.grab().toImage();
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QColor ground = screen.pixelColor(label->mapTo(&window, QPoint(1, 1)));
        EXPECT_GE(contrast(label->palette().color(label->foregroundRole()), ground), 4.5)
                << label->text().toStdString();
    }
}

// What a screen reader finds in a window, a line for each thing shown: role, name, description,
// key, disabled or focused, a table cell's row, column and header, and its place relative to
// origin (the window's top-left corner unless given). The items of a menu bar's menus count as
// shown, as a screen reader lists them closed; they have no place then.
inline QString heard(QObject* window, std::optional<QPoint> origin = std::nullopt)
{
    QString said;
    const QPoint from =
            origin.value_or(QAccessible::queryAccessibleInterface(window)->rect().topLeft());
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* a, int depth) {
        const bool inMenu = a->role() == QAccessible::PopupMenu
                || a->role() == QAccessible::MenuItem || a->role() == QAccessible::Separator;
        if (a->state().invisible && !inMenu)
            return;
        const QString key = a->text(QAccessible::Accelerator);
        said += QString(2 * depth, ' ')
                + QMetaEnum::fromType<QAccessible::Role>().valueToKey(a->role()) + " 「"
                + a->text(QAccessible::Name) + "」 " + a->text(QAccessible::Description)
                + (key.isEmpty() ? "" : " <" + key + ">")
                + (a->state().disabled ? " (disabled)" : "")
                + (a->state().focused ? " (focused)" : "");
        if (QAccessibleTableCellInterface* cell = a->tableCellInterface())
            said += QString(" [%1, %2: %3]")
                            .arg(cell->rowIndex())
                            .arg(cell->columnIndex())
                            .arg(cell->columnHeaderCells().value(0)->text(QAccessible::Name));
        if (!a->state().invisible) {
            const QRect at = a->rect().translated(-from);
            said += QString(" @%1,%2 %3×%4")
                            .arg(at.x())
                            .arg(at.y())
                            .arg(at.width())
                            .arg(at.height());
        }
        said += u'\n';
        for (int i = 0; i < a->childCount(); ++i)
            walk(a->child(i), depth + 1);
    };
    walk(QAccessible::queryAccessibleInterface(window), 0);
    return said;
}

// heard() without the places, and what changed from before to after: each line that reads
// otherwise, as it now reads ("* "); where lines came or went, the whole of after ("+ ").
inline QString heardChanges(const QString& before, const QString& after)
{
    const auto lines = [](QString text) {
        return text
                .remove(QRegularExpression(" @-?\\d+,-?\\d+ \\d+×\\d+$",
                                           QRegularExpression::MultilineOption))
                .split('\n', Qt::SkipEmptyParts);
    };
    const QStringList was = lines(before), is = lines(after);
    QString changes;
    for (qsizetype i = 0; i < is.size(); ++i)
        if (was.size() != is.size() || was[i] != is[i])
            changes += (was.size() == is.size() ? "* " : "+ ") + is[i] + '\n';
    return changes;
}

// text against tests/<folder>/golden/<name>.txt; with TORUMINA_REGENERATE=1 in the
// environment the file is written instead, for its diff to be reviewed.
inline void expectGolden(const QString& text, const QString& name)
{
    QFile golden(QStringLiteral(TORUMINA_GOLDEN_DIR "/%1.txt").arg(name));
    if (qEnvironmentVariableIsSet("TORUMINA_REGENERATE")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly) && golden.write(text.toUtf8()) >= 0);
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << golden.fileName();
    EXPECT_EQ(text.toStdString(), golden.readAll().toStdString()) << golden.fileName();
}

// The same for a picture: golden/<name>.png.
inline void expectGoldenImage(const QImage& image, const QString& name)
{
    const QString path = QStringLiteral(TORUMINA_GOLDEN_DIR "/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("TORUMINA_REGENERATE"))
        ASSERT_TRUE(image.save(path));
    else
        EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
                  QImage(path).convertToFormat(QImage::Format_RGB32))
                << path << " differs; TORUMINA_REGENERATE=1 writes what is shown now";
}
