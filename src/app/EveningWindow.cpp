// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "EveningWindow.h"

#include "EveningChart.h"
#include "ExperimentEngine.h"
#include "TwipLayout.h"
#include "WindowAccessibility.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// As large as the theory window, smaller on a screen without room for it.
const QSize kWindowTwips(12000, 9000);
// Up to about ten evenings on the chart: the one watched and these.
constexpr std::size_t kEarlierEvenings = 9;

QString stepText(int guest, const GuestStep& step)
{
    return QStringLiteral("%1 人目：%2　手元の 500円玉 %3 枚　これまでの最低 %4 枚")
            .arg(guest)
            .arg(QString::fromStdString(paymentText(step.payment)), signedCount(step.stock),
                 signedCount(step.lowestSoFar));
}

QString answerText(const Evening& evening)
{
    const QString sufficed = evening.coinsNeeded() > 0
            ? QStringLiteral("この夜は 500円玉が %1 枚あれば足りました").arg(evening.coinsNeeded())
            : QStringLiteral("この夜は 500円玉がなくても足りました");
    return sufficed
            + QStringLiteral("。最低の %1 枚は、表の「%2」の欄に数えられます。")
                      .arg(signedCount(evening.lowestBalance()),
                           QString::fromStdString(classCaption(evening.tableClass())));
}

QPushButton* makeButton(const QString& caption, const QString& keys, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
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
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" トルミナの実験２＿一晩の様子"));
    const TwipLayout at = TwipLayout::fittingScreen(kWindowTwips);
    resize(at.size(kWindowTwips.width(), kWindowTwips.height()));
    setFont(at.font(15));

    QHBoxLayout* seedRow = buildSeedRow();
    chart_ = new EveningChart(this);
    stepText_ = new QLabel(this);
    stepText_->setObjectName(QStringLiteral("stepText"));
    answerText_ = new QLabel(this);
    answerText_->setObjectName(QStringLiteral("answerText"));
    answerText_->setFont(at.font(15, true));
    for (QLabel* label : {stepText_, answerText_})
        label->setWordWrap(true);
    QHBoxLayout* buttons = buildControls(at, seedRow);
    addKeys();
    // Tab follows the rows as they are seen: the seed and the speed, then the buttons.
    setTabOrder(seedBox_, speed_);
    setTabOrder(speed_, stepButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(seedRow);
    layout->addWidget(chart_, 1);
    layout->addWidget(stepText_);
    layout->addWidget(answerText_);
    layout->addLayout(buttons);
    startEvening(drawSeed_());
}

QHBoxLayout* EveningWindow::buildSeedRow()
{
    auto* seedLabel = new QLabel(QStringLiteral("お客人数 %1 人　乱数の種").arg(guests_), this);
    seedBox_ = new QLineEdit(this);
    seedBox_->setObjectName(QStringLiteral("seed"));
    seedBox_->setAccessibleName(QStringLiteral("乱数の種"));
    seedBox_->setToolTip(QStringLiteral("種を打ち込んで Enter で、その夜を始めます"));
    seedBox_->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{1,20}")), this));
    seedLabel->setBuddy(seedBox_);
    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(seedLabel);
    seedRow->addWidget(seedBox_);
    seedRow->addStretch();
    return seedRow;
}

// The buttons' row, and the speed beside the seed, where a window made
// small for the screen has room.
QHBoxLayout* EveningWindow::buildControls(const TwipLayout& at, QHBoxLayout* seedRow)
{
    stepButton_ = makeButton(QStringLiteral("一人ずつ"), QStringLiteral("Space または →"), this);
    playButton_ = makeButton(QStringLiteral("続けて"), QStringLiteral("Enter"), this);
    allButton_ = makeButton(QStringLiteral("最後まで"), QStringLiteral("End"), this);
    nextButton_ = makeButton(QStringLiteral("次の夜"), QStringLiteral("N"), this);
    auto* closeButton = makeButton(QStringLiteral("閉じる"), QStringLiteral("Esc"), this);
    speed_ = new QSlider(Qt::Horizontal, this);
    speed_->setObjectName(QStringLiteral("speed"));
    speed_->setRange(1, 10);
    speed_->setValue(2);
    speed_->setAccessibleName(QStringLiteral("速さ（1 秒に来るお客の人数）"));
    auto* speedLabel = new QLabel(QStringLiteral("速さ"), this);
    speedLabel->setBuddy(speed_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {stepButton_, playButton_, allButton_, nextButton_})
        buttons->addWidget(button);
    speed_->setMinimumWidth(at.pixels(1800));
    seedRow->addWidget(speedLabel);
    seedRow->addWidget(speed_);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    connect(stepButton_, &QPushButton::clicked, this, &EveningWindow::serveOneGuest);
    connect(playButton_, &QPushButton::clicked, this, &EveningWindow::playOrPause);
    connect(allButton_, &QPushButton::clicked, this, &EveningWindow::serveAll);
    connect(nextButton_, &QPushButton::clicked, this, &EveningWindow::nextEvening);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(&playTimer_, &QTimer::timeout, this, [this] { serve(1); });
    connect(speed_, &QSlider::valueChanged, this,
            [this](int perSecond) { playTimer_.setInterval(1000 / perSecond); });
    playTimer_.setInterval(1000 / speed_->value());
    return buttons;
}

void EveningWindow::addKeys()
{
    // The keys work wherever the focus is, but in the seed box, which keeps
    // the keys it types and edits with; Enter there starts the typed seed.
    for (auto key : {Qt::Key_Space, Qt::Key_Right})
        new QShortcut(QKeySequence(key), this, this, &EveningWindow::serveOneGuest);
    for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        new QShortcut(QKeySequence(key), this, this, [this] {
            bool typed = false;
            const auto seed = seedBox_->text().toULongLong(&typed);
            if (!seedBox_->hasFocus())
                playOrPause();
            else if (typed)
                startEvening(seed);
        });
    }
    new QShortcut(QKeySequence(Qt::Key_End), this, this, &EveningWindow::serveAll);
    new QShortcut(QKeySequence(Qt::Key_N), this, this, &EveningWindow::nextEvening);
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
}

void EveningWindow::serveOneGuest()
{
    if (finished())
        return;
    playTimer_.stop();
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

void EveningWindow::startEvening(std::uint64_t seed)
{
    pause();
    evenings_.push_back(eveningOfSeed(seed, guests_));
    if (evenings_.size() > kEarlierEvenings + 1)
        evenings_.pop_front();
    served_ = 0;
    seedBox_->setText(QString::number(seed));
    stepText_->setText(QStringLiteral("まだお客は来ていません（お客人数 %1 人）").arg(guests_));
    answerText_->clear();
    for (QPushButton* button : {stepButton_, playButton_, allButton_})
        button->setEnabled(true);
    stepButton_->setFocus();
    chart_->showEvenings(evenings_, served_);
}

void EveningWindow::serve(int guests)
{
    if (guests <= 0)
        return;
    served_ += guests;
    const Evening& evening = evenings_.back();
    stepText_->setText(stepText(served_, evening.steps[static_cast<std::size_t>(served_ - 1)]));
    chart_->showEvenings(evenings_, served_);
    if (!finished())
        return;
    pause();
    answerText_->setText(answerText(evening));
    for (QPushButton* button : {stepButton_, playButton_, allButton_})
        button->setEnabled(false);
    nextButton_->setFocus();
    announce(stepText_->text() + QStringLiteral("。") + answerText_->text());
}

void EveningWindow::pause()
{
    playTimer_.stop();
    playButton_->setText(QStringLiteral("続けて"));
}

void EveningWindow::announce(const QString& text)
{
    QWidget* focused = focusWidget() ? focusWidget() : this;
    if (announcedOn_ && announcedOn_ != focused)
        announcedOn_->setAccessibleDescription(announcedOn_->toolTip());
    announcedOn_ = focused;
    // The key stays in the description, after what the step says.
    focused->setAccessibleDescription(text + QStringLiteral("　") + focused->toolTip());
}

bool EveningWindow::finished() const
{
    return served_ == guests_;
}
