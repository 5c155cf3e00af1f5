#include "QtDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Acts on the modal box once it is shown and active, from inside its event
// loop; a key sent earlier can be lost and leave the box open for ever, so a
// box still open after a while is cancelled and the test fails.
void whenBoxOpens(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        QWidget* box = QApplication::activeModalWidget();
        const bool ready = box && box->isVisible() && QApplication::activeWindow() == box;
        const bool late = waited->hasExpired(5000);
        if (!ready && !late)
            return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        if (ready) {
            act(box);
            return;
        }
        ADD_FAILURE() << "no box became active";
        if (box)
            QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
    });
    timer->start();
}

QStringList buttonCaptions(QWidget* box)
{
    QStringList captions;
    for (auto* button : box->findChildren<QPushButton*>())
        captions << button->text();
    captions.sort();
    return captions;
}

TEST(QtDialogs, InputBoxShowsItsTextsAndTypingReplacesTheDefault)
{
    QtDialogs dialogs;
    whenBoxOpens([](QWidget* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral(" お客人数の設定"));
        auto* field = box->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(), QStringLiteral("100"));
        EXPECT_EQ(field->selectedText(), QStringLiteral("100"));
        EXPECT_EQ(buttonCaptions(box), (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
        bool prompt = false;
        for (auto* label : box->findChildren<QLabel*>())
            prompt |= label->text() == QStringLiteral("10以上1000以下の整数を入力してください．．．");
        EXPECT_TRUE(prompt);
        QTest::keyClicks(field, QStringLiteral("250"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("10以上1000以下の整数を入力してください．．．"),
                               QStringLiteral(" お客人数の設定"), QStringLiteral("100")),
              QStringLiteral("250"));
}

TEST(QtDialogs, CancelAndTheCloseBoxGiveTheEmptyText)
{
    QtDialogs dialogs;
    const std::function<void(QWidget*)> ways[] = {
        [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QWidget* box) { box->close(); },
    };
    for (const auto& way : ways) {
        whenBoxOpens(way);
        EXPECT_TRUE(dialogs.InputBox(QStringLiteral("p"), QStringLiteral("t"),
                                     QStringLiteral("1000")).isEmpty());
    }
}

TEST(QtDialogs, ConfirmationHasNoIconAndEnterMeansYes)
{
    QtDialogs dialogs;
    struct Case {
        Qt::Key key;
        bool yes;
    };
    for (const Case c : {Case{Qt::Key_Return, true}, Case{Qt::Key_Escape, false},
                         Case{Qt::Key_N, false}, Case{Qt::Key_Y, true}}) {
        whenBoxOpens([c](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr);
            EXPECT_EQ(message->windowTitle(), QStringLiteral("確認"));
            EXPECT_EQ(message->text(), QStringLiteral("終了していいですか？"));
            EXPECT_EQ(message->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(buttonCaptions(box),
                      (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));
            QTest::keyClick(box, c.key, c.key == Qt::Key_N || c.key == Qt::Key_Y ? Qt::AltModifier
                                                                                  : Qt::NoModifier);
        });
        EXPECT_EQ(dialogs.YesNo(QStringLiteral("終了していいですか？"), QStringLiteral("確認")), c.yes)
            << c.key;
    }
}

} // namespace
