// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Form1.h"

#include "ExperimentEngine.h"
#include "Layout.h"
#include "MultimediaControl.h"
#include "ParameterEntry.h"
#include "ProgramEnd.h"
#include "RunCommand.h"
#include "TableReset.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QTimer>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kLightCyan(128, 255, 255);
// On the light theme the layout was drawn for, the button text is black; the
// fixed light cells keep it, so that a dark theme's light text does not
// vanish on them.
const QColor kTextOnLight(0, 0, 0);

struct LabelLook
{
    std::optional<QFont> font; // none: the window's default font
    std::optional<QColor> background; // none: the theme's button face
};

QLabel* makeLabel(QWidget* form, const QString& name, QRect geometry, const QString& caption,
                  const LabelLook& look)
{
    auto* label = new QLabel(caption, form);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    label->setAlignment(Qt::AlignCenter);
    if (look.font)
        label->setFont(*look.font);
    if (look.background) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, *look.background);
        palette.setColor(QPalette::WindowText, kTextOnLight);
        label->setPalette(palette);
    } else {
        label->setBackgroundRole(QPalette::Button);
        label->setForegroundRole(QPalette::ButtonText);
    }
    label->setAutoFillBackground(true);
    return label;
}

QPushButton* makeButton(QWidget* form, const QString& name, QRect geometry, const QString& caption)
{
    auto* button = new QPushButton(caption, form);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(layoutFont(15));
    // Enter clicks the focused button, as Space does and as on Windows.
    button->setAutoDefault(true);
    return button;
}

QString classDescription(int k)
{
    if (k == 1)
        return QStringLiteral("不足枚数 -58 以下の度数");
    if (k == 63)
        return QStringLiteral("不足枚数 4 以上の度数");
    return QStringLiteral("不足枚数 %1 の度数").arg(k - 59);
}

} // namespace

Form1::Form1(Form1Services services)
    : services_(std::move(services)), MMControl1_(services_.makeMultimediaControl())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" トルミナの実験２"));
    setWindowIcon(QIcon(QStringLiteral(":/torumina/torumina.png")));
    setFixedSize(fromTwips(8295), fromTwips(7680));
    // The two corner cells of the table have no font of their own.
    setFont(layoutFont(12));
    buildLayout();
    setTabOrder(table_.Command1, table_.Command2);
    setTabOrder(table_.Command2, table_.Command3);
    setTabOrder(table_.Command3, Command4_);
    table_.Command1->setFocus();
    qApp->installEventFilter(this);
}

Form1::~Form1() = default;

void Form1::buildLayout()
{
    table_.form = this;
    const LabelLook cell{layoutFont(19), std::nullopt};
    const LabelLook white{layoutFont(19), kWhite};
    const LabelLook whiteBold{layoutFont(19, true), kWhite};

    table_.Command2 = makeButton(this, QStringLiteral("Command2"), twips(0, 0, 855, 375),
                                 QStringLiteral("終了"));
    makeLabel(this, QStringLiteral("Label84"), twips(1920, 0, 4455, 375),
              QStringLiteral("トルミナの実験（その２）"), {layoutFont(21, true), kLightCyan});
    Command4_ = makeButton(this, QStringLiteral("Command4"), twips(6600, 0, 855, 375),
                           QStringLiteral("HELP"));
    table_.Command3 = makeButton(this, QStringLiteral("Command3"), twips(7440, 0, 855, 375),
                                 QStringLiteral("初期化"));

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(0, fromTwips(360), fromTwips(8280) + 1, 1);
    line->setBackgroundRole(QPalette::WindowText);
    line->setAutoFillBackground(true);

    for (int band = 1; band <= 7; ++band) {
        const int headerTop = 600 + 840 * (band - 1);
        const int frequencyTop = headerTop + 360;
        const int headerTitle = band == 1 ? 5 : 2 * band + 12;
        const int frequencyTitle = band == 1 ? 6 : 2 * band + 13;
        makeLabel(this, QStringLiteral("Label%1").arg(headerTitle),
                  twips(240, headerTop, 1335, 375), QStringLiteral("不足枚数"), cell);
        makeLabel(this, QStringLiteral("Label%1").arg(frequencyTitle),
                  twips(240, frequencyTop, 1335, 375), QStringLiteral("度　　数"), cell);
        for (int column = 1; column <= 9; ++column) {
            const int k = 9 * (band - 1) + column;
            const int left = 1560 + 720 * (column - 1);
            const bool corner = k == 1 || k == 63;
            makeLabel(this, QStringLiteral("Label%1").arg(k <= 9 ? k + 6 : k + 18),
                      twips(left, headerTop, 735, 375), QString::fromStdString(classCaption(k)),
                      corner ? LabelLook{std::nullopt, std::nullopt} : cell);
            QLabel* frequency = makeLabel(this, QStringLiteral("dosu(%1)").arg(k),
                                          twips(left, frequencyTop, 735, 375), QString(), white);
            frequency->setAccessibleDescription(classDescription(k));
            table_.dosu[static_cast<std::size_t>(k)] = frequency;
        }
    }

    makeLabel(this, QStringLiteral("Label83"), twips(240, 6600, 1455, 375),
              QStringLiteral("お客人数"), whiteBold);
    table_.Label82 = makeLabel(this, QStringLiteral("Label82"), twips(1680, 6600, 1095, 375),
                               QString(), white);
    table_.Label82->setAccessibleDescription(QStringLiteral("お客人数"));
    makeLabel(this, QStringLiteral("Label4"), twips(3000, 6840, 2295, 375),
              QStringLiteral("不足枚数の平均"), whiteBold);
    table_.Label3 = makeLabel(this, QStringLiteral("Label3"), twips(5280, 6840, 1095, 375),
                              QString(), white);
    table_.Label3->setAccessibleDescription(QStringLiteral("不足枚数の平均"));
    table_.Command1 = makeButton(this, QStringLiteral("Command1"), twips(6720, 6720, 1335, 615),
                                 QStringLiteral("実験開始"));
    makeLabel(this, QStringLiteral("Label1"), twips(240, 7080, 1455, 375),
              QStringLiteral("実験回数"), whiteBold);
    table_.Label2 = makeLabel(this, QStringLiteral("Label2"), twips(1680, 7080, 1095, 375),
                              QString(), white);
    table_.Label2->setAccessibleDescription(QStringLiteral("実験回数"));

    connect(table_.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(table_.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(table_.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4_, &QPushButton::clicked, this, &Form1::Command4_Click);
}

bool Form1::event(QEvent* event)
{
    // Only the first activation of this window asks for the parameters:
    // a modal box closing, or a switch between programs, activates it again.
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        QTimer::singleShot(0, this, &Form1::Form_Activate);
    }
    return QWidget::event(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    // Clicks and keys can queue up behind a busy or freshly shown window. No command may run
    // before both parameters are answered, and once the help command has started the window is
    // on its way out: input meant for it is dropped then.
    if (!takesCommands_ && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The close box ends the program, as closing its only window would.
    if (!leavingForHelp_)
        services_.programEnd.end();
    event->accept();
}

void Form1::Form_Activate()
{
    EnterParameters();
}

void Form1::EnterParameters()
{
    const auto guests =
            AskParameter(services_.dialogs, services_.programEnd, QStringLiteral(" お客人数の設定"),
                         QStringLiteral("10以上1000以下の整数を入力してください．．．"),
                         QStringLiteral("100"), 10, 1000);
    if (!guests)
        return;
    customerCount_ = *guests;
    table_.Label82->setText(QString::number(customerCount_));

    const auto trials =
            AskParameter(services_.dialogs, services_.programEnd, QStringLiteral(" 実験回数の設定"),
                         QStringLiteral("1以上10000以下の整数を入力してください．．．"),
                         QStringLiteral("1000"), 1, 10000);
    if (!trials)
        return;
    trialCount_ = *trials;
    table_.Label2->setText(QString::number(trialCount_));
    takesCommands_ = true;
}

void Form1::Command1_Click()
{
    ::Command1_Click(table_, services_.engine, services_.dialogs, customerCount_, trialCount_);
}

void Form1::Command2_Click()
{
    SoundCue(*MMControl1_, QStringLiteral("endpinpon.wav"));
    (void)ConfirmQuit(services_.dialogs, services_.programEnd, QStringLiteral("トルミナの実験"));
}

void Form1::Command3_Click()
{
    ::Command3_Click(table_, *MMControl1_, [this] { EnterParameters(); });
}

void Form1::Command4_Click()
{
    takesCommands_ = false;
    SoundCue(*MMControl1_, QStringLiteral("pinpon.wav"));
    services_.openHelp();
}

void Form1::closeForHelp()
{
    leavingForHelp_ = true;
    close();
}
