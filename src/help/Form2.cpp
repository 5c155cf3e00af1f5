#include "Form2.h"

#include "HelpText.h"
#include "PictureBox.h"

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QHideEvent>
#include <QPushButton>

namespace {

// The layout was drawn in twips for a 96-dpi screen.
constexpr int px(int twips) { return twips / 15; }

// The layout names "ＭＳ Ｐゴシック"; where it is missing, IPAPGothic keeps
// its metrics closest (a 15-px line is 16 px high, so the 28 lines fit the
// box), and Noto Sans CJK JP at least keeps the glyphs Japanese. Sizes are
// in pixels so that the fixed layout holds at any screen resolution.
QFont gothic(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

Form2::Form2(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" トルミナの実験２＿ヘルプ（設問と操作方法）"));
    setFixedSize(px(9255), px(7440));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The window's default font: the Japanese system default of 9 pt, for
    // which the 49-px "閉じる" button was sized.
    setFont(gothic(12));

    m_command1 = new QPushButton(QStringLiteral("閉じる"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(px(8400), px(0), px(735), px(375));
    // Enter on the focused button closes the window, as on a dialog.
    m_command1->setAutoDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);

    // Drawn from (9120, 360) to (120, 360): both end points included.
    m_line1 = new QFrame(this);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::HLine);
    m_line1->setFrameShadow(QFrame::Plain);
    m_line1->setLineWidth(1);
    m_line1->setGeometry(px(120), px(360), px(9120) - px(120) + 1, 1);

    m_picture1 = new PictureBox(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(px(120), px(480), px(9015), px(6855));
    m_picture1->setFont(gothic(15));
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
