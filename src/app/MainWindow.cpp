// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindow.h"

#include "CellLabel.h"
#include "CuePlayer.h"
#include "Dialogs.h"
#include "ExperimentEngine.h"
#include "FrequencyTable.h"
#include "Layout.h"
#include "NumberFormat.h"
#include "ParameterEntry.h"
#include "ProgramEnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace {

const QColor kLightCyan(128, 255, 255);

QPushButton* makeButton(QWidget* window, const QString& objectName, QRect geometry,
                        const QString& caption)
{
    auto* button = new QPushButton(caption, window);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setFont(layoutFont(15));
    // Enter clicks the focused button, as Space does and as on Windows.
    button->setAutoDefault(true);
    return button;
}

// The engine names a refused parameter in English, for the developer's log;
// the user reads which value was refused and the range it must lie in.
QString refusal(std::int16_t customerCount, std::int16_t trialCount)
{
    const auto outside = [](int value, int high) { return value < 1 || value > high; };
    const QString text = QStringLiteral("%1が %2 のため実験できません。%1は1以上%3以下です。");
    if (outside(customerCount, kMaxCustomers))
        return text.arg(QStringLiteral("お客人数")).arg(customerCount).arg(kMaxCustomers);
    if (outside(trialCount, kMaxTrials))
        return text.arg(QStringLiteral("実験回数")).arg(trialCount).arg(kMaxTrials);
    return QStringLiteral("実験を最後まで行えませんでした。");
}

// The hourglass during a run; the arrow and the window's input come back
// however the run is left.
class Busy
{
public:
    Busy(QWidget* window, bool& takesInput) : window_(window), takesInput_(takesInput)
    {
        takesInput_ = false;
        window_->setCursor(Qt::WaitCursor);
    }
    ~Busy()
    {
        window_->setCursor(Qt::ArrowCursor);
        takesInput_ = true;
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    QWidget* window_;
    bool& takesInput_;
};

} // namespace

MainWindow::MainWindow(Services services)
    : services_(std::move(services)), cuePlayer_(services_.makeCuePlayer())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" トルミナの実験２"));
    setWindowIcon(QIcon(QStringLiteral(":/torumina/torumina.png")));
    setFixedSize(fromTwips(8295), fromTwips(7680));
    // The window's default font, which the table's two corner cells use.
    setFont(layoutFont(12));
    buildLayout();
    setTabOrder(startButton_, quitButton_);
    setTabOrder(quitButton_, resetButton_);
    setTabOrder(resetButton_, helpButton_);
    startButton_->setFocus();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout()
{
    const CellLook white{layoutFont(19), kWhite};
    const CellLook whiteBold{layoutFont(19, true), kWhite};

    quitButton_ = makeButton(this, QStringLiteral("Command2"), twips(0, 0, 855, 375),
                             QStringLiteral("終了"));
    makeCellLabel(this, QStringLiteral("Label84"), twips(1920, 0, 4455, 375),
                  QStringLiteral("トルミナの実験（その２）"), {layoutFont(21, true), kLightCyan});
    helpButton_ = makeButton(this, QStringLiteral("Command4"), twips(6600, 0, 855, 375),
                             QStringLiteral("HELP"));
    resetButton_ = makeButton(this, QStringLiteral("Command3"), twips(7440, 0, 855, 375),
                              QStringLiteral("初期化"));

    // From (0, 360) to (8280, 360), both end points drawn.
    auto* rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setGeometry(0, fromTwips(360), fromTwips(8280) + 1, 1);
    rule->setBackgroundRole(QPalette::WindowText);
    rule->setAutoFillBackground(true);

    table_ = new FrequencyTable(this);

    makeCellLabel(this, QStringLiteral("Label83"), twips(240, 6600, 1455, 375),
                  QStringLiteral("お客人数"), whiteBold);
    guestCountLabel_ = makeCellLabel(this, QStringLiteral("Label82"), twips(1680, 6600, 1095, 375),
                                     QString(), white);
    guestCountLabel_->setAccessibleDescription(QStringLiteral("お客人数"));
    makeCellLabel(this, QStringLiteral("Label4"), twips(3000, 6840, 2295, 375),
                  QStringLiteral("不足枚数の平均"), whiteBold);
    meanLabel_ = makeCellLabel(this, QStringLiteral("Label3"), twips(5280, 6840, 1095, 375),
                               QString(), white);
    meanLabel_->setAccessibleDescription(QStringLiteral("不足枚数の平均"));
    startButton_ = makeButton(this, QStringLiteral("Command1"), twips(6720, 6720, 1335, 615),
                              QStringLiteral("実験開始"));
    makeCellLabel(this, QStringLiteral("Label1"), twips(240, 7080, 1455, 375),
                  QStringLiteral("実験回数"), whiteBold);
    trialCountLabel_ = makeCellLabel(this, QStringLiteral("Label2"), twips(1680, 7080, 1095, 375),
                                     QString(), white);
    trialCountLabel_->setAccessibleDescription(QStringLiteral("実験回数"));

    connect(startButton_, &QPushButton::clicked, this, &MainWindow::runExperiments);
    connect(quitButton_, &QPushButton::clicked, this, &MainWindow::quit);
    connect(resetButton_, &QPushButton::clicked, this, &MainWindow::resetTable);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::showHelp);
}

bool MainWindow::event(QEvent* event)
{
    // Only the first activation of this window asks for the parameters:
    // a modal box closing, or a switch between programs, activates it again.
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        QTimer::singleShot(0, this, &MainWindow::enterParameters);
    }
    return QWidget::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Clicks and keys can queue up behind a busy or freshly shown window;
    // those that reach it while it takes no input are dropped.
    if (!takesInput_ && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The close box ends the program, as closing its only window would.
    if (!leavingForHelp_)
        services_.programEnd.end();
    event->accept();
}

void MainWindow::enterParameters()
{
    const auto guests =
            askParameter(services_.dialogs, services_.programEnd, QStringLiteral(" お客人数の設定"),
                         QStringLiteral("10以上1000以下の整数を入力してください．．．"),
                         QStringLiteral("100"), 10, 1000);
    if (!guests)
        return;
    customerCount_ = *guests;
    guestCountLabel_->setNum(customerCount_);

    const auto trials =
            askParameter(services_.dialogs, services_.programEnd, QStringLiteral(" 実験回数の設定"),
                         QStringLiteral("1以上10000以下の整数を入力してください．．．"),
                         QStringLiteral("1000"), 1, 10000);
    if (!trials)
        return;
    trialCount_ = *trials;
    trialCountLabel_->setNum(trialCount_);
    takesInput_ = true;
}

void MainWindow::runExperiments()
{
    Busy busy(this, takesInput_);
    // Paints and other window events pending from before the click run once.
    // Clicks and keys wait until the run is over: a queued "初期化" must not
    // reset the table and ask new parameters in the middle of the run.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    quitButton_->setEnabled(false);
    resetButton_->setEnabled(false);

    ExperimentResult result;
    try {
        result = services_.engine.run(customerCount_, trialCount_);
    } catch (const std::exception& error) {
        // The table keeps what it showed and the window stays usable.
        quitButton_->setEnabled(true);
        resetButton_->setEnabled(true);
        qWarning("%s", error.what());
        services_.dialogs.inform(refusal(customerCount_, trialCount_),
                                 QStringLiteral("トルミナの実験"));
        return;
    }

    meanLabel_->setText(QString::fromStdString(formatMean(result.meanLowestBalance)));
    table_->showCounts(result);

    startButton_->setEnabled(false);
    quitButton_->setEnabled(true);
    resetButton_->setEnabled(true);
}

void MainWindow::quit()
{
    cuePlayer_->play(QStringLiteral("endpinpon.wav"));
    (void)confirmQuit(services_.dialogs, services_.programEnd, QStringLiteral("トルミナの実験"));
}

void MainWindow::resetTable()
{
    cuePlayer_->play(QStringLiteral("pinpon.wav"));
    startButton_->setEnabled(true);
    table_->clear();
    trialCountLabel_->clear();
    meanLabel_->clear();
    guestCountLabel_->clear();
    enterParameters();
}

void MainWindow::showHelp()
{
    takesInput_ = false;
    cuePlayer_->play(QStringLiteral("pinpon.wav"));
    services_.openHelp();
}

void MainWindow::closeForHelp()
{
    leavingForHelp_ = true;
    close();
}
