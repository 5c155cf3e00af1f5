// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindow.h"

#include "CellLabel.h"
#include "CuePlayer.h"
#include "Dialogs.h"
#include "EveningWindow.h"
#include "ExperimentEngine.h"
#include "FrequencyTable.h"
#include "NumberFormat.h"
#include "ParameterEntry.h"
#include "ProgramEnd.h"
#include "ReportWords.h"
#include "TheoryWindow.h"
#include "TwipLayout.h"
#include "WindowAccessibility.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor kLightCyan(128, 255, 255);
// The laid-out area under the menu bar: 553 × 512 pixels as laid out.
constexpr QSize kAreaTwips(8295, 7680);

QPushButton* makeButton(QWidget* window, const QString& objectName, QRect geometry,
                        const QString& caption, const QFont& font)
{
    auto* button = new QPushButton(caption, window);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setFont(font);
    // Enter clicks the focused button as Space does: a keyboard user need
    // not learn which key a button takes.
    button->setAutoDefault(true);
    return button;
}

// A named cell of the layout.
struct Cell
{
    QString name;
    QRect geometry;
};

// A figure's caption in bold and the white cell beside it that shows the
// figure, which a screen reader describes by the caption.
QLabel* makeFigure(QWidget* area, const char* caption, const Cell& captionCell,
                   const Cell& figureCell, const TwipLayout& at)
{
    const QString text = QString::fromUtf8(caption);
    makeCellLabel(area, captionCell.name, captionCell.geometry, text, {at.font(19, true), kWhite});
    QLabel* figure = makeCellLabel(area, figureCell.name, figureCell.geometry, QString(),
                                   {at.font(19), kWhite});
    figure->setAccessibleDescription(text);
    return figure;
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
    reportAsWindow(staticMetaObject);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" トルミナの実験２"));
    setWindowIcon(QIcon(QStringLiteral(":/torumina/torumina.png")));
    QMenuBar* menuBar = buildMenuBar();
    // The menu bar keeps the desktop's font on a small screen, where the
    // area under it is drawn smaller.
    layout_ = TwipLayout::fittingScreen(kAreaTwips, menuBar->sizeHint().height());
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("area"));
    area->setFixedSize(layout_.size(kAreaTwips));
    // The window's default font, which the table's two corner cells use.
    area->setFont(layout_.font(12));
    buildLayout(area);
    addTableMenu();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins({});
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setMenuBar(menuBar);
    column->addWidget(area);
    column->activate();
    move(mainWindowPosition(size(), availableArea()));
    // The table comes after the start button: after a run, with that button
    // disabled, Tab leads from the result to the other commands.
    setTabOrder(startButton_, table_);
    setTabOrder(table_, quitButton_);
    setTabOrder(quitButton_, resetButton_);
    setTabOrder(resetButton_, helpButton_);
    startButton_->setFocus();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

QMenuBar* MainWindow::buildMenuBar()
{
    auto* bar = new QMenuBar(this);
    QMenu* experiment = bar->addMenu(QStringLiteral("実験(&E)"));
    startAction_ =
            addCommand(experiment, QStringLiteral("実験開始(&S)"), &MainWindow::runExperiments);
    resetAction_ = addCommand(experiment, QStringLiteral("初期化(&R)"), &MainWindow::resetTable);
    experiment->addSeparator();
    quitAction_ = addCommand(experiment, QStringLiteral("終了(&X)"), &MainWindow::quit);
    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    compareAction_ = addCommand(view, QStringLiteral("理論と比べる(&T)"),
                                &MainWindow::compareWithTheory, Qt::Key_F2);
    eveningAction_ = addCommand(view, QStringLiteral("一晩の様子を見る(&N)"),
                                &MainWindow::watchEvening, Qt::Key_F3);
    copyAction_ = addCommand(view, QStringLiteral("表をコピー(&C)"), &MainWindow::copyTable,
                             QKeySequence::Copy);
    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpAction_ = addCommand(help, QStringLiteral("使い方(&U)"), &MainWindow::showHelp, Qt::Key_F1);
    addCommand(help, QStringLiteral("このプログラムについて(&A)"), &MainWindow::tellAbout);
    // Until the parameters are answered there is nothing to compare, watch
    // or copy, as after a reset.
    for (QAction* command : {compareAction_, eveningAction_, copyAction_})
        command->setEnabled(false);
    return bar;
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& text, void (MainWindow::*handler)(),
                                const QKeySequence& key)
{
    QAction* command = menu->addAction(text);
    command->setShortcut(key);
    // Keys and the menu reach a command past the window's input filter.
    connect(command, &QAction::triggered, this, [this, handler] {
        if (takesInput_)
            (this->*handler)();
    });
    // On the window, its key works wherever the window's focus is.
    addAction(command);
    return command;
}

void MainWindow::buildLayout(QWidget* area)
{
    const TwipLayout& at = layout_;
    const QFont buttonFont = at.font(15);

    quitButton_ = makeButton(area, QStringLiteral("Command2"), at.rect(0, 0, 855, 375),
                             QStringLiteral("終了"), buttonFont);
    makeCellLabel(area, QStringLiteral("Label84"), at.rect(1920, 0, 4455, 375),
                  QStringLiteral("トルミナの実験（その２）"), {at.font(21, true), kLightCyan});
    helpButton_ = makeButton(area, QStringLiteral("Command4"), at.rect(6600, 0, 855, 375),
                             QStringLiteral("HELP"), buttonFont);
    resetButton_ = makeButton(area, QStringLiteral("Command3"), at.rect(7440, 0, 855, 375),
                              QStringLiteral("初期化"), buttonFont);

    // From (0, 360) to (8280, 360), both end points drawn.
    auto* rule = new QFrame(area);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setGeometry(0, at.pixels(360), at.pixels(8280) + 1, 1);
    rule->setBackgroundRole(QPalette::WindowText);
    rule->setAutoFillBackground(true);

    table_ = new FrequencyTable(layout_, area);

    guestCountLabel_ = makeFigure(area, kGuestsCaption,
                                  {QStringLiteral("Label83"), at.rect(240, 6600, 1455, 375)},
                                  {QStringLiteral("Label82"), at.rect(1680, 6600, 1095, 375)}, at);
    meanLabel_ = makeFigure(area, kMeanCaption,
                            {QStringLiteral("Label4"), at.rect(3000, 6840, 2295, 375)},
                            {QStringLiteral("Label3"), at.rect(5280, 6840, 1095, 375)}, at);
    startButton_ = makeButton(area, QStringLiteral("Command1"), at.rect(6720, 6720, 1335, 615),
                              QStringLiteral("実験開始"), buttonFont);
    trialCountLabel_ = makeFigure(area, kTrialsCaption,
                                  {QStringLiteral("Label1"), at.rect(240, 7080, 1455, 375)},
                                  {QStringLiteral("Label2"), at.rect(1680, 7080, 1095, 375)}, at);

    const std::pair<QPushButton*, QAction*> commands[] = {{startButton_, startAction_},
                                                          {quitButton_, quitAction_},
                                                          {resetButton_, resetAction_},
                                                          {helpButton_, helpAction_}};
    for (auto [button, command] : commands) {
        button->setEnabled(command->isEnabled());
        connect(command, &QAction::enabledChanged, button, &QPushButton::setEnabled);
        connect(button, &QPushButton::clicked, command, &QAction::trigger);
    }
}

void MainWindow::addTableMenu()
{
    tableMenu_ = new QMenu(this);
    tableMenu_->setFont(layout_.font(15));
    tableMenu_->addActions({compareAction_, copyAction_, eveningAction_});
    // The Menu key comes as a context menu event; Shift+F10 does not.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), table_, nullptr, nullptr,
                                  Qt::WidgetShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] { showTableMenu(std::nullopt); });
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        // Only the first activation of this window asks for the parameters:
        // a modal box closing, or a switch between programs, activates it again.
        if (!activated_) {
            activated_ = true;
            QTimer::singleShot(0, this, &MainWindow::enterParameters);
        }
        // The window system has moved the focus here: no key typed on a
        // side window closed before can come any more.
        for (QWidget* side : sideWindows())
            if (side && side->isHidden())
                side->deleteLater();
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
        case QEvent::ContextMenu:
            return true;
        default:
            break;
        }
    }
    if (isClosedSideWindow(watched)) {
        // Keys typed on a side window as it closes (Esc, and at once F3)
        // still reach it until the window system moves the focus here; they
        // are meant for this window.
        if (event->type() == QEvent::KeyPress) {
            const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
            for (QAction* command : {compareAction_, eveningAction_})
                if (command->shortcut() == pressed)
                    command->trigger();
            return true;
        }
        // Closed by the user, the keyboard goes back to the run.
        if (event->type() == QEvent::Hide && static_cast<QWidget*>(watched)->isWindow()
            && takesInput_)
            activateWindow();
    }
    if (watched == table_ && event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        showTableMenu(request->reason() == QContextMenuEvent::Mouse
                              ? std::optional(request->globalPos())
                              : std::nullopt);
        return true;
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
                         QStringLiteral("100"), kMinGuestsAsked, kMaxGuests);
    if (!guests)
        return;
    guests_ = *guests;
    guestCountLabel_->setNum(guests_);

    const auto trials =
            askParameter(services_.dialogs, services_.programEnd, QStringLiteral(" 実験回数の設定"),
                         QStringLiteral("1000"), kMinTrials, kMaxTrials);
    if (!trials)
        return;
    trials_ = *trials;
    trialCountLabel_->setNum(trials_);
    eveningAction_->setEnabled(true);
    copyAction_->setEnabled(true);
    takesInput_ = true;
    // After a reset the focus would stay on 初期化, and a keyboard user's
    // Enter would reset again instead of running what was just asked for.
    startButton_->setFocus();
}

void MainWindow::runExperiments()
{
    Busy busy(this, takesInput_);
    // Paints and other window events pending from before the click run once.
    // Clicks and keys wait until the run is over: a queued "初期化" must not
    // reset the table and ask new parameters in the middle of the run.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    quitAction_->setEnabled(false);
    resetAction_->setEnabled(false);

    // The entry boxes take only what the engine runs, so it never refuses.
    run_ = services_.engine.run(guests_, trials_);
    const QString mean = QString::fromStdString(formatMean(run_->meanLowestBalance));
    meanLabel_->setText(mean);
    table_->showCounts(*run_);
    compareAction_->setEnabled(true);
    // What a screen reader says as the focus lands on the result: the mean,
    // what it is the mean of, and the way to the next series.
    table_->setAccessibleDescription(
            QStringLiteral("%1 %2（%3 %4、%5 %6）。次の実験は［初期化］から。")
                    .arg(QString::fromUtf8(kMeanCaption), mean, QString::fromUtf8(kGuestsCaption),
                         QString::number(guests_), QString::fromUtf8(kTrialsCaption),
                         QString::number(trials_)));

    startAction_->setEnabled(false);
    quitAction_->setEnabled(true);
    resetAction_->setEnabled(true);
    // The result takes the focus: the start button is disabled now, and a
    // key pressed once too often on any other button would throw the result
    // away (初期化 blanks it, HELP closes the window, 終了 and Enter quit).
    table_->setFocus();
}

void MainWindow::quit()
{
    cuePlayer_->play(QStringLiteral("endpinpon.wav"));
    (void)confirmQuit(services_.dialogs, services_.programEnd, QStringLiteral("トルミナの実験"));
}

void MainWindow::resetTable()
{
    // Deaf while it asks, as before the first questions: a click on 実験開始
    // handled inside a box would run the old parameters there, and the
    // labels would then describe a run the table does not show.
    takesInput_ = false;
    cuePlayer_->play(QStringLiteral("pinpon.wav"));
    // The theory window compares the run, which is going, and the evening
    // window has the guests that are asked for again.
    closeSideWindows();
    guests_ = trials_ = 0;
    run_.reset();
    for (QAction* command : {compareAction_, eveningAction_, copyAction_})
        command->setEnabled(false);
    startAction_->setEnabled(true);
    table_->clear();
    table_->setAccessibleDescription(QString());
    trialCountLabel_->clear();
    meanLabel_->clear();
    guestCountLabel_->clear();
    enterParameters();
}

void MainWindow::showHelp()
{
    takesInput_ = false;
    closeSideWindows();
    cuePlayer_->play(QStringLiteral("pinpon.wav"));
    services_.openHelp();
}

void MainWindow::compareWithTheory()
{
    // One closed a moment ago may still be taking its keys: this one among them.
    if (!theory_ || theory_->isHidden()) {
        if (theory_)
            theory_->deleteLater();
        theory_ = new TheoryWindow(*run_, services_.dialogs, this);
    }
    theory_->show();
    theory_->raise();
    theory_->activateWindow();
}

void MainWindow::watchEvening()
{
    if (!evening_ || evening_->isHidden()) {
        if (evening_)
            evening_->deleteLater();
        auto* evening = new EveningWindow(guests_, services_.drawEveningSeed, this);
        // The pupil sees the evening land in the table, as a ball in its bin.
        connect(evening, &EveningWindow::eveningEnded, table_, &FrequencyTable::markLanded);
        connect(evening, &EveningWindow::eveningStarted, table_, [this] { table_->markLanded(0); });
        evening_ = evening;
    }
    evening_->show();
    evening_->raise();
    evening_->activateWindow();
}

void MainWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(
            QString::fromStdString(tableText(guests_, trials_, run_)));
}

void MainWindow::tellAbout()
{
    services_.dialogs.tellAbout(
            QStringLiteral("トルミナの実験２　バージョン %1\n\n"
                           "ライセンス: MIT ライセンス（自由に使い、配り、変えてよい）\n"
                           "音: pinpon.wav と endpinpon.wav は、このプログラムのために"
                           "合成したチャイムです（同じ MIT ライセンス）。\n"
                           "文字: コンピューターに入っている日本語フォント（IPA P ゴシックなど）で"
                           "表示します。フォントはこのプログラムに含まれません。")
                    .arg(QCoreApplication::applicationVersion()),
            QStringLiteral("このプログラムについて"));
}

void MainWindow::showTableMenu(std::optional<QPoint> mouseAt)
{
    if (!takesInput_)
        return;
    const QWidget* cell = table_->countCell(table_->currentClass());
    tableMenu_->popup(mouseAt.value_or(cell->mapToGlobal(cell->rect().center())));
}

void MainWindow::closeSideWindows()
{
    // Closed for a reset or the help, while this window takes no input:
    // they do not take the keyboard back from the box or the window that
    // comes next.
    for (QWidget* side : sideWindows()) {
        if (!side)
            continue;
        side->close();
        side->deleteLater();
    }
}

std::array<QWidget*, 2> MainWindow::sideWindows() const
{
    return {theory_, evening_};
}

bool MainWindow::isClosedSideWindow(const QObject* object) const
{
    if (!object->isWidgetType())
        return false;
    const QWidget* window = static_cast<const QWidget*>(object)->window();
    return window->isHidden() && (window == theory_ || window == evening_);
}

void MainWindow::closeForHelp()
{
    leavingForHelp_ = true;
    close();
}
