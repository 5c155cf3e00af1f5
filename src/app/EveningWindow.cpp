// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "EveningWindow.h"

#include "EveningChart.h"
#include "ExperimentEngine.h"
#include "NumberReader.h"
#include "TwipLayout.h"
#include "WindowAccessibility.h"
#include "WindowPlacement.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// Up to about ten evenings on the chart: the one watched and these.
constexpr std::size_t kEarlierEvenings = 9;

QPushButton* makeButton(const QString& caption, const QString& keys, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    // Enter clicks the focused button, as Space does and as everywhere else in the program.
    button->setAutoDefault(true);
    button->setToolTip(keys);
    // A screen reader names the key beside the button, as the tooltip shows it.
    button->setAccessibleDescription(keys);
    return button;
}

} // namespace

EveningWindow::EveningWindow(int guests, std::function<std::uint64_t()> drawSeed, QWidget* parent)
    : QWidget(parent, Qt::Window), guests_(guests), drawSeed_(std::move(drawSeed))
{
    reportAsWindow(staticMetaObject);
    setObjectName(QStringLiteral("eveningWindow"));
    setWindowTitle(QStringLiteral(" トルミナの実験２＿一晩の様子"));
    const TwipLayout at = placeSideWindow(this);
    setFont(at.font(15));

    QHBoxLayout* seedRow = buildSeedRow(at);
    chart_ = new EveningChart(this);
    stepText_ = new QLabel(this);
    stepText_->setObjectName(QStringLiteral("stepText"));
    answerText_ = new QLabel(this);
    answerText_->setObjectName(QStringLiteral("answerText"));
    answerText_->setFont(at.font(15, true));
    for (QLabel* label : {stepText_, answerText_})
        label->setWordWrap(true);
    // Tab follows the order they are made in, the rows as they are seen:
    // the seed and the speed, the chart, the buttons.
    QHBoxLayout* buttons = buildButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(seedRow);
    layout->addWidget(chart_, 1);
    layout->addWidget(stepText_);
    layout->addWidget(answerText_);
    layout->addLayout(buttons);
    startEvening(drawSeed_());
}

EveningWindow::~EveningWindow()
{
    // The seed box loses the focus as QWidget's destructor hides the window,
    // when this one's members are gone.
    disconnect(seedBox_, nullptr, this, nullptr);
}

// The seed with the reason it was refused, which wraps where the window is
// small, and the speed: the buttons' row has no room to spare on a small
// screen, where the style keeps each button 80 pixels wide.
QHBoxLayout* EveningWindow::buildSeedRow(const TwipLayout& at)
{
    auto* seedLabel = new QLabel(QStringLiteral("お客人数 %1 人　乱数の種").arg(guests_), this);
    seedBox_ = new QLineEdit(this);
    seedBox_->setObjectName(QStringLiteral("seed"));
    seedBox_->setAccessibleName(QStringLiteral("乱数の種"));
    seedBox_->setToolTip(QStringLiteral("種を打ち込んで Enter で、その夜を始めます"));
    seedLabel->setBuddy(seedBox_);
    // A seed typed but not started leaves with the focus: the box never
    // shows a seed other than the evening's.
    connect(seedBox_, &QLineEdit::editingFinished, this, [this] {
        if (!seedBox_->hasFocus())
            seedBox_->setText(QString::number(evenings_.back().seed));
    });
    seedRefusal_ = new QLabel(this);
    seedRefusal_->setObjectName(QStringLiteral("seedRefusal"));
    seedRefusal_->setWordWrap(true);
    auto* speedLabel = new QLabel(QStringLiteral("速さ"), this);
    speed_ = new QSlider(Qt::Horizontal, this);
    speed_->setObjectName(QStringLiteral("speed"));
    speed_->setRange(1, 10);
    speed_->setValue(2);
    speed_->setAccessibleName(QStringLiteral("速さ（1 秒に来るお客の人数）"));
    speed_->setMinimumWidth(at.pixels(1800));
    speedLabel->setBuddy(speed_);
    connect(&playTimer_, &QTimer::timeout, this, [this] { serve(1); });
    connect(speed_, &QSlider::valueChanged, this,
            [this](int perSecond) { playTimer_.setInterval(1000 / perSecond); });
    playTimer_.setInterval(1000 / speed_->value());
    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(seedLabel);
    seedRow->addWidget(seedBox_);
    seedRow->addWidget(seedRefusal_, 1);
    seedRow->addWidget(speedLabel);
    seedRow->addWidget(speed_);
    return seedRow;
}

QHBoxLayout* EveningWindow::buildButtons()
{
    stepButton_ = makeButton(QStringLiteral("一人ずつ"), QStringLiteral("Space または →"), this);
    playButton_ = makeButton(QStringLiteral("続けて"), QStringLiteral("Enter"), this);
    allButton_ = makeButton(QStringLiteral("最後まで"), QStringLiteral("End"), this);
    nextButton_ = makeButton(QStringLiteral("次の夜"), QStringLiteral("N"), this);
    auto* closeButton = makeButton(QStringLiteral("閉じる"), QStringLiteral("Esc"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {stepButton_, playButton_, allButton_, nextButton_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    connect(stepButton_, &QPushButton::clicked, this, &EveningWindow::serveOneGuest);
    connect(playButton_, &QPushButton::clicked, this, &EveningWindow::playOrPause);
    connect(allButton_, &QPushButton::clicked, this, &EveningWindow::serveAll);
    connect(nextButton_, &QPushButton::clicked, this, &EveningWindow::nextEvening);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    return buttons;
}

void EveningWindow::keyPressEvent(QKeyEvent* event)
{
    // What the focused control leaves: a button keeps Space and Enter, which
    // press it, and the arrows, which move to the next; the seed box what it
    // types and edits with; the slider its arrows, Home and End.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Right:
        serveOneGuest();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (seedBox_->hasFocus())
            startTypedSeed();
        else
            playOrPause();
        break;
    case Qt::Key_End:
        serveAll();
        break;
    case Qt::Key_N:
        nextEvening();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void EveningWindow::closeEvent(QCloseEvent* event)
{
    pause();
    QWidget::closeEvent(event);
}

void EveningWindow::serveOneGuest()
{
    if (finished())
        return;
    pause();
    serve(1);
    if (!finished())
        announce(stepText_->text());
}

void EveningWindow::playOrPause()
{
    if (playTimer_.isActive()) {
        pause();
        announce(stepText_->text());
    } else if (!finished()) {
        playTimer_.start();
        playButton_->setText(QStringLiteral("止める"));
    }
}

void EveningWindow::serveAll()
{
    serve(guests_ - served_);
}

void EveningWindow::nextEvening()
{
    startEvening(drawSeed_());
}

void EveningWindow::startTypedSeed()
{
    if (const auto seed = readSeed(seedBox_->text().toStdU16String())) {
        startEvening(*seed);
        return;
    }
    seedRefusal_->setText(
            QStringLiteral("種には 0〜18446744073709551615 の整数を打ち込んでください。"));
    seedBox_->setText(QString::number(evenings_.back().seed));
    seedBox_->selectAll();
    announce(seedRefusal_->text());
}

void EveningWindow::startEvening(std::uint64_t seed)
{
    pause();
    // An evening nobody watched is no earlier evening.
    if (evenings_.empty() || served_ > 0)
        ++eveningNumber_;
    else
        evenings_.pop_back();
    evenings_.push_back(eveningOfSeed(seed, guests_));
    if (evenings_.size() > kEarlierEvenings + 1)
        evenings_.pop_front();
    served_ = 0;
    seedBox_->setText(QString::number(seed));
    seedRefusal_->clear();
    stepText_->setText(QString::fromStdString(eveningStartText(guests_)));
    answerText_->clear();
    for (QPushButton* button : {stepButton_, playButton_, allButton_})
        button->setEnabled(true);
    chart_->setFocus();
    chart_->showEvenings(evenings_, served_, eveningNumber_);
    announce(stepText_->text());
    emit eveningStarted();
}

void EveningWindow::serve(int guests)
{
    if (guests <= 0)
        return;
    served_ += guests;
    const Evening& evening = evenings_.back();
    stepText_->setText(QString::fromStdString(
            guestStepText(served_, evening.steps[static_cast<std::size_t>(served_ - 1)])));
    chart_->showEvenings(evenings_, served_, eveningNumber_);
    if (!finished())
        return;
    pause();
    answerText_->setText(QString::fromStdString(eveningAnswerText(evening)));
    // Before the buttons it would pass on its way there are disabled, so
    // that a screen reader meets no button between the guest and the answer.
    nextButton_->setFocus();
    for (QPushButton* button : {stepButton_, playButton_, allButton_})
        button->setEnabled(false);
    announce(stepText_->text() + QStringLiteral("。") + answerText_->text());
    emit eveningEnded(evening.tableClass());
}

void EveningWindow::pause()
{
    playTimer_.stop();
    playButton_->setText(QStringLiteral("続けて"));
}

void EveningWindow::announce(const QString& text)
{
    // The control that told the last thing keeps nothing of it.
    if (announcedOn_)
        announcedOn_->setAccessibleDescription(announcedOn_->toolTip());
    QWidget* focused = focusWidget() ? focusWidget() : this;
    announcedOn_ = focused;
    // The key stays in the description, after what the step says.
    focused->setAccessibleDescription(text + QStringLiteral("　") + focused->toolTip());
}

bool EveningWindow::finished() const
{
    return served_ == guests_;
}
