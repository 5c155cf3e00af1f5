// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "CellLabel.h"

QLabel* makeCellLabel(QWidget* parent, const QString& objectName, QRect geometry,
                      const QString& caption, const CellLook& look)
{
    // Named before anything else, so that its accessible interface, made on
    // the first event it sends, is the one its name calls for.
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setText(caption);
    label->setGeometry(geometry);
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    label->setAlignment(Qt::AlignCenter);
    if (look.font)
        label->setFont(*look.font);
    if (look.background) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, *look.background);
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    } else {
        label->setBackgroundRole(QPalette::Button);
        label->setForegroundRole(QPalette::ButtonText);
    }
    label->setAutoFillBackground(true);
    return label;
}
