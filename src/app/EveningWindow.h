// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Evening.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>

class EveningChart;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class TwipLayout;

// 「一晩の様子」: one evening of the main window's guests, guest by guest,
// as the chart of the coin stock and a line of words per guest; at its end
// the lowest point and the class of the table it falls in. Each evening
// comes from a seed the window shows and takes typed in, and is the first
// experiment of a run with that seed. Earlier evenings that were watched
// stay on the chart, fainter. Opens beside the window it belongs to, its
// parent; closed by Esc, by its button and by its close box.
class EveningWindow final : public QWidget
{
    Q_OBJECT

public:
    // drawSeed gives the seed of each new evening.
    EveningWindow(int guests, std::function<std::uint64_t()> drawSeed, QWidget* parent = nullptr);
    ~EveningWindow() override;

signals:
    // The evening came to its end, in this class of the table.
    void eveningEnded(int tableClass);
    // Another evening began.
    void eveningStarted();

public slots:
    // 「一人ずつ」: the next guest; pauses the play.
    void serveOneGuest();
    // 「続けて」/「止める」
    void playOrPause();
    // 「最後まで」
    void serveAll();
    // 「次の夜」: a new evening with a drawn seed.
    void nextEvening();

protected:
    // The window's own keys, where the focused control has no use for them.
    void keyPressEvent(QKeyEvent* event) override;
    // Closed, the window may live on a moment, hidden; it plays no more.
    void closeEvent(QCloseEvent* event) override;

private:
    // The window's parts, built in the order the keyboard meets them.
    QHBoxLayout* buildSeedRow(const TwipLayout& at);
    QHBoxLayout* buildButtons();
    // Enter in the seed box: the evening of the seed typed or pasted there.
    void startTypedSeed();
    void startEvening(std::uint64_t seed);
    void serve(int guests);
    void pause();
    // Tells a screen reader, through the focused control's description.
    void announce(const QString& text);
    bool finished() const;

    int guests_;
    std::function<std::uint64_t()> drawSeed_;
    // The earlier evenings watched, and the one being watched last.
    std::deque<Evening> evenings_;
    // How many evenings were watched in this window, the one being watched included.
    int eveningNumber_ = 0;
    int served_ = 0;
    QTimer playTimer_;
    EveningChart* chart_ = nullptr;
    QLineEdit* seedBox_ = nullptr;
    QLabel* seedRefusal_ = nullptr;
    QLabel* stepText_ = nullptr;
    QLabel* answerText_ = nullptr;
    QPushButton* stepButton_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QPushButton* allButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QSlider* speed_ = nullptr;
    QPointer<QWidget> announcedOn_;
};
