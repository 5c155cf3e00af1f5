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

// One box asks every question, a pasted answer of any length included.
TEST(QtDialogs, InputBoxGivesTheTypedTextOrOnCancelOrCloseTheEmptyOne)
{
    const QString prompt = "10以上1000以下の整数を入力してください．．．",
                  title = " お客人数の設定", pasted = QString(40000, ' ') + '0';
    const std::pair<void (*)(QWidget*), bool> cases[] = {
            {[](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }, true},
            {[](QWidget* box) { box->close(); }, false},
            {[](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }, false}};
    QtDialogs dialogs;
    for (const auto& [act, typed] : cases) {
        whenBoxOpens(title, {"OK", "キャンセル"}, [&, act = act](QWidget* box) {
            EXPECT_EQ(box->findChild<QLabel*>()->text(), prompt);
            EXPECT_EQ(box->findChild<QLineEdit*>()->selectedText(), "100");
            QTest::keyClicks(box->focusWidget(), "250");
            box->findChild<QLineEdit*>()->insert(pasted);
            act(box);
        });
        EXPECT_EQ(dialogs.InputBox(prompt, title, "100"), typed ? "250" + pasted : "");
    }
}

TEST(QtDialogs, YesNoBoxHasNoIconAndEnterMeansYesAndEscapeNo)
{
    QtDialogs dialogs;
    for (const auto& [key, yes] : {std::pair{Qt::Key_Escape, false}, {Qt::Key_Return, true}}) {
        whenBoxOpens("確認", {"いいえ(&N)", "はい(&Y)"}, [key = key](QWidget* box) {
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(), "終了していいですか？");
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::NoIcon);
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(dialogs.YesNo("終了していいですか？", "確認"), yes);
    }
}

// Every new box would leave its button icons in Qt's pixmap cache.
TEST(QtDialogs, AFewHundredQuestionsLeaveOneInputBoxAndOneYesNoBox)
{
    QtDialogs dialogs;
    for (int n = 0; n < 300; ++n) {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        n % 2 ? void(dialogs.YesNo("?", "?")) : void(dialogs.InputBox("?", "?", "1"));
    }
    const auto all = QApplication::allWidgets();
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](auto* w) { return qobject_cast<QDialog*>(w); }),
              2);
}
