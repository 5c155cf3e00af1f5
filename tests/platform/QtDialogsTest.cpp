// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "QtDialogs.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Acts on the modal box once it is active (a key sent earlier is lost), with its buttons' captions.
template<typename Act>
static void whenBoxOpens(Act act, int tries = 500)
{
    QTimer::singleShot(10, [=] {
        QWidget* box = QApplication::activeModalWidget();
        if ((!box || QApplication::activeWindow() != box) && tries > 0)
            return whenBoxOpens(act, tries - 1);
        ASSERT_TRUE(box) << "no box opened";
        EXPECT_GT(tries, 0) << "the box did not become active";
        QStringList shown;
        for (auto* button : box->findChildren<QPushButton*>())
            shown << button->text();
        act(box, shown);
    });
}

TEST(QtDialogs, OneInputBoxGivesEveryAnswerInFullOrOnCancelOrCloseTheEmptyText)
{
    const QString pasted = QString(40000, ' ') + '0';
    QtDialogs dialogs;
    for (const int way : {int(Qt::Key_Return), int(Qt::Key_Escape), 0}) { // 0: the close box
        whenBoxOpens([&](QWidget* box, const QStringList& captions) {
            EXPECT_EQ(captions, QStringList({"OK", "キャンセル"}));
            EXPECT_EQ(box->findChild<QLineEdit*>()->selectedText(), "100");
            QTest::keyClicks(box->focusWidget(), "250");
            box->findChild<QLineEdit*>()->insert(pasted);
            way ? QTest::keyClick(box, Qt::Key(way)) : void(box->close());
        });
        EXPECT_EQ(dialogs.InputBox("?", "?", "100"), way == Qt::Key_Return ? "250" + pasted : "");
    }
}

TEST(QtDialogs, YesNoBoxHasNoIconAndEnterMeansYesAndEscapeNoAndBothServeEveryQuestion)
{
    QtDialogs dialogs;
    for (const auto& [key, yes] : {std::pair{Qt::Key_Escape, false}, {Qt::Key_Return, true}}) {
        whenBoxOpens([key = key](QWidget* box, const QStringList& captions) {
            EXPECT_EQ(captions, QStringList({"はい(&Y)", "いいえ(&N)"}));
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::NoIcon);
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(dialogs.YesNo("?", "?"), yes);
    }
    // Every new box would leave its button icons in Qt's pixmap cache: one of each kind serves.
    for (int n = 0; n < 300; ++n) {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        n % 2 ? void(dialogs.YesNo("?", "?")) : void(dialogs.InputBox("?", "?", "1"));
    }
    const auto all = QApplication::allWidgets();
    EXPECT_EQ(std::ranges::count_if(all, [](QWidget* w) { return qobject_cast<QDialog*>(w); }), 2);
}
