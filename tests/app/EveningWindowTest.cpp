// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "EveningWindow.h"
#include "MainWindowFixture.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSlider>

#include <deque>

namespace {

// What `torumina-sim --evening --guests 35 --seed 1234` prints for its first guest.
const QString kFirstGuestOf1234 =
        "1 人目：1000円札４枚（お釣り 500円玉 1 枚）　手元の 500円玉 −1 枚"
        "　これまでの最低 −1 枚";

// The platform may call a window active before Qt does.
bool becomesActive(const QWidget* window)
{
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }, kPatience);
}

QList<EveningWindow*> evenings(const QWidget& window)
{
    return window.findChildren<EveningWindow*>();
}

} // namespace

// An evening window of 35 guests whose seeds are ours, answered by keys as a pupil presses them.
class EveningWindowTest : public MainWindowTest
{
protected:
    std::deque<std::uint64_t> seeds{1234, 8};
    QPointer<EveningWindow> evening;

    void TearDown() override { delete evening.data(); }
    void openEvening()
    {
        evening = new EveningWindow(35, [this] {
            const std::uint64_t seed = seeds.front();
            seeds.pop_front();
            return seed;
        });
        evening->show();
        evening->activateWindow();
        ASSERT_TRUE(becomesActive(evening));
    }
    static QString focusedButton()
    {
        return qobject_cast<QPushButton*>(QApplication::focusWidget())->text();
    }
    // What a screen reader says of the focused control.
    static QString heard()
    {
        return QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                ->text(QAccessible::Description);
    }
    QString said(const char* label) const { return text(*evening, label); }
};

TEST_F(EveningWindowTest, F3AndTheMenuOpenOneEveningBeforeARunAndTheResetClosesIt)
{
    auto window = openWindow("35", "1000");
    const auto items = window->findChild<QMenu*>()->actions();
    EXPECT_TRUE(std::any_of(items.begin(), items.end(),
                            [](QAction* item) { return item->text() == "一晩の様子を見る"; }));
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_EQ(evenings(*window).size(), 1);
    EXPECT_EQ(evenings(*window).first()->windowTitle(), " トルミナの実験２＿一晩の様子");
    script.answers = {"40", "10"};
    click(*window, "初期化");
    EXPECT_TRUE(QTest::qWaitFor([&] { return evenings(*window).isEmpty(); }, kPatience));
}

TEST_F(EveningWindowTest, SpaceAndRightServeOneGuestEachAndTheReaderHearsThem)
{
    openEvening();
    EXPECT_EQ(evening->findChild<QLineEdit*>("seed")->text(), "1234");
    EXPECT_EQ(focusedButton(), "一人ずつ");
    press(Qt::Key_Space);
    EXPECT_EQ(said("stepText"), kFirstGuestOf1234);
    EXPECT_EQ(heard(), kFirstGuestOf1234 + "　Space または →");
    press(Qt::Key_Right);
    EXPECT_TRUE(
            said("stepText").startsWith("2 人目：1000円札３枚と 500円玉 1 枚　手元の 500円玉 0 枚"))
            << said("stepText").toStdString();
    EXPECT_EQ(focusedButton(), "一人ずつ");
}

TEST_F(EveningWindowTest, EndFinishesATypedSeedsEveningAndNamesItsClass)
{
    seeds = {8};
    openEvening();
    press(Qt::Key_End);
    EXPECT_EQ(said("answerText"),
              "この夜は 500円玉がなくても足りました。最低の 0 枚は、表の「0」の欄に数えられます。");
    auto* seed = evening->findChild<QLineEdit*>("seed");
    seed->setFocus();
    seed->selectAll();
    QTest::keyClicks(seed, "1234");
    press(Qt::Key_Return);
    EXPECT_EQ(focusedButton(), "一人ずつ");
    press(Qt::Key_End);
    const QString answer = "この夜は 500円玉が 9 枚あれば足りました。最低の −9 "
                           "枚は、表の「-9」の欄に数えられます。";
    EXPECT_EQ(said("answerText"), answer);
    EXPECT_EQ(focusedButton(), "次の夜");
    EXPECT_TRUE(heard().startsWith("35 人目：") && heard().contains(answer))
            << heard().toStdString();
}

TEST_F(EveningWindowTest, NStartsANewEveningAndKeepsThePreviousOneDrawn)
{
    openEvening();
    press(Qt::Key_End);
    press(Qt::Key_N);
    EXPECT_EQ(evening->findChild<QLineEdit*>("seed")->text(), "8");
    EXPECT_EQ(said("answerText"), "");
    EXPECT_EQ(focusedButton(), "一人ずつ");
    EXPECT_EQ(evening->findChild<QWidget*>("eveningChart")->accessibleDescription(),
              "2 晩目（前の夜 1 晩を薄く表示）");
}

TEST_F(EveningWindowTest, EnterPlaysWithoutAWordUntilThePause)
{
    openEvening();
    evening->findChild<QSlider*>("speed")->setValue(10);
    press(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return said("stepText").startsWith("3 人目"); }, kPatience));
    EXPECT_EQ(heard(), "Space または →");
    press(Qt::Key_Return);
    const QString paused = said("stepText");
    QTest::qWait(300);
    EXPECT_EQ(said("stepText"), paused);
    EXPECT_EQ(heard(), paused + "　Space または →");
}

TEST_F(EveningWindowTest, EscClosesItAndTheMainWindowTakesTheKeyboardBack)
{
    auto window = openWindow("35", "1000");
    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_TRUE(becomesActive(evenings(*window).first()));
    press(Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return evenings(*window).isEmpty(); }, kPatience));
    EXPECT_TRUE(becomesActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), button(*window, "実験開始")) << "where it was";
}
