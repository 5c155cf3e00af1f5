// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "HelpWindow.h"

#include "HelpText.h"
#include "TwipLayout.h"
#include "WindowAccessibility.h"
#include "HelpTextView.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHideEvent>
#include <QPushButton>
#include <QShortcut>

namespace {

// 617 × 496 pixels as laid out.
constexpr QSize kHelpWindowTwips(9255, 7440);

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    reportAsWindow(staticMetaObject);
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" トルミナの実験２＿ヘルプ（設問と操作方法）"));
    // As laid out, unless the screen is too small for it.
    const TwipLayout at = TwipLayout::fittingScreen(kHelpWindowTwips);
    setFixedSize(at.size(kHelpWindowTwips));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The window's default font: the Japanese system default of 9 pt, for
    // which the 49-px "閉じる" button was sized.
    setFont(at.font(12));

    auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton->setObjectName(QStringLiteral("Command1"));
    closeButton->setGeometry(at.rect(8400, 0, 735, 375));
    // Enter on the focused button closes the window, as on a dialog.
    closeButton->setAutoDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);

    // Drawn from (9120, 360) to (120, 360): both end points included.
    auto* rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    rule->setLineWidth(1);
    rule->setGeometry(at.pixels(120), at.pixels(360), at.pixels(9120) - at.pixels(120) + 1, 1);

    textView_ = new HelpTextView(this);
    textView_->setObjectName(QStringLiteral("Picture1"));
    textView_->setGeometry(at.rect(120, 480, 9015, 6855));
    textView_->setFont(at.font(15));
    textView_->setFocusPolicy(Qt::StrongFocus);

    setTabOrder(closeButton, textView_);
    closeButton->setFocus();
}

void HelpWindow::printHelpText()
{
    textView_->clear();
    for (std::u16string_view line : kHelpText)
        textView_->appendLine(QStringView(line).toString());
}

bool HelpWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        printHelpText();
    return handled;
}

void HelpWindow::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    event->accept();
    // A window that is not on screen gets no hide event after the close.
    if (isHidden())
        notifyClosed();
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimising hides the window too; only a close leads back.
    if (closing_)
        notifyClosed();
}

void HelpWindow::notifyClosed()
{
    if (closedEmitted_)
        return;
    closedEmitted_ = true;
    emit closed();
}
