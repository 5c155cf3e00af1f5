// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Form2.h"

#include "HelpText.h"
#include "Layout.h"
#include "PictureBox.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHideEvent>
#include <QPushButton>
#include <QShortcut>

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" トルミナの実験２＿ヘルプ（設問と操作方法）"));
    setFixedSize(fromTwips(9255), fromTwips(7440));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The window's default font: the Japanese system default of 9 pt, for
    // which the 49-px "閉じる" button was sized.
    setFont(layoutFont(12));

    auto* command1 = new QPushButton(QStringLiteral("閉じる"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(twips(8400, 0, 735, 375));
    // Enter on the focused button closes the window, as on a dialog.
    command1->setAutoDefault(true);
    connect(command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    new QShortcut(QKeySequence::Cancel, this, this, &Form2::Command1_Click);

    // Drawn from (9120, 360) to (120, 360): both end points included.
    auto* line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Plain);
    line1->setLineWidth(1);
    line1->setGeometry(fromTwips(120), fromTwips(360), fromTwips(9120) - fromTwips(120) + 1, 1);

    Picture1_ = new PictureBox(this);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    Picture1_->setGeometry(twips(120, 480, 9015, 6855));
    Picture1_->setFont(layoutFont(15));
    Picture1_->setFocusPolicy(Qt::StrongFocus);

    setTabOrder(command1, Picture1_);
    command1->setFocus();
}

void Form2::Form_Activate()
{
    Picture1_->Cls();
    for (QStringView line : kHelpText)
        Picture1_->Print(line.toString());
}

void Form2::Command1_Click()
{
    close();
}

bool Form2::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void Form2::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    event->accept();
    // A window that is not on screen gets no hide event after the close.
    if (isHidden())
        notifyClosed();
}

void Form2::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimising hides the window too; only a close leads back.
    if (closing_)
        notifyClosed();
}

void Form2::notifyClosed()
{
    if (closedEmitted_)
        return;
    closedEmitted_ = true;
    emit closed();
}
