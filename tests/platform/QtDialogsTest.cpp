#include "QtDialogs.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Once the modal box is active (a key sent earlier is lost), checks title and sorted captions, then
// acts.
template<typename Act>
static void whenBoxOpens(QString title, QStringList captions, Act act,
                         QDeadlineTimer deadline = QDeadlineTimer(5000))
{
    QTimer::singleShot(10, [=] {
        QWidget* box = QApplication::activeModalWidget();
        if (box && box->isVisible() && QApplication::activeWindow() == box) {
            QStringList shown;
            for (auto* button : box->findChildren<QPushButton*>())
                shown << button->text();
            shown.sort();
            EXPECT_EQ(box->windowTitle(), title);
            EXPECT_EQ(shown, captions);
            return act(box);
        }
        if (!deadline.hasExpired())
            return whenBoxOpens(title, captions, act, deadline);
        ADD_FAILURE() << "no box became active";
        if (box)
            QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
    });
}

TEST(QtDialogs, InputBoxGivesTheTypedTextOrOnCancelOrCloseTheEmptyOne)
{
    const QString prompt = "10以上1000以下の整数を入力してください．．．",
                  title = " お客人数の設定";
    const std::pair<void (*)(QWidget*), QString> cases[] = {
            {[](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }, "250"},
            {[](QWidget* box) { box->close(); }, ""},
            {[](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }, ""}};
    for (const auto& [act, result] : cases) {
        whenBoxOpens(title, {"OK", "キャンセル"}, [=](QWidget* box) {
            EXPECT_EQ(box->findChild<QLabel*>()->text(), prompt);
            EXPECT_EQ(box->findChild<QLineEdit*>()->selectedText(), "100");
            QTest::keyClicks(box->focusWidget(), "250");
            act(box);
        });
        EXPECT_EQ(QtDialogs().InputBox(prompt, title, "100"), result);
    }
}

TEST(QtDialogs, YesNoBoxHasNoIconAndEnterMeansYesAndEscapeNo)
{
    for (const auto& [key, yes] : {std::pair{Qt::Key_Return, true}, {Qt::Key_Escape, false}}) {
        whenBoxOpens("確認", {"いいえ(&N)", "はい(&Y)"}, [key](QWidget* box) {
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(), "終了していいですか？");
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::NoIcon);
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(QtDialogs().YesNo("終了していいですか？", "確認"), yes);
    }
}
