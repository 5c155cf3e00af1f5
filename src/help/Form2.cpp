#include "Form2.h"

#include "HelpText.h"
#include "Layout.h"
#include "PictureBox.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHideEvent>
#include <QPushButton>

Form2::Form2(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" トルミナの実験２＿ヘルプ（設問と操作方法）"));
    setFixedSize(fromTwips(9255), fromTwips(7440));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The window's default font: the Japanese system default of 9 pt, for
    // which the 49-px "閉じる" button was sized.
    setFont(layoutFont(12));

    m_command1 = new QPushButton(QStringLiteral("閉じる"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(twips(8400, 0, 735, 375));
    // Enter on the focused button closes the window, as on a dialog.
    m_command1->setAutoDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);

    // Drawn from (9120, 360) to (120, 360): both end points included.
    m_line1 = new QFrame(this);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::HLine);
    m_line1->setFrameShadow(QFrame::Plain);
    m_line1->setLineWidth(1);
    m_line1->setGeometry(fromTwips(120), fromTwips(360), fromTwips(9120) - fromTwips(120) + 1, 1);

    m_picture1 = new PictureBox(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(twips(120, 480, 9015, 6855));
    m_picture1->setFont(layoutFont(15));
    m_picture1->setFocusPolicy(Qt::StrongFocus);

    setTabOrder(m_command1, m_picture1);
    m_command1->setFocus();
}

void Form2::Form_Activate()
{
    m_picture1->Cls();
    for (QStringView line : kHelpText)
        m_picture1->Print(line.toString());
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
    m_closing = true;
    event->accept();
    // A window that is not on screen gets no hide event after the close.
    if (isHidden())
        notifyClosed();
}

void Form2::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimising hides the window too; only a close leads back.
    if (m_closing)
        notifyClosed();
}

void Form2::notifyClosed()
{
    if (m_closedEmitted)
        return;
    m_closedEmitted = true;
    emit closed();
}
