// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "QtDialogs.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Acts on the modal box once it is active (a key sent earlier is lost), with its buttons' captions.
template<typename Act>
static void whenBoxOpens(Act act, int tries = 6000)
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

TEST(QtDialogs, TheInputBoxGivesTheTypedAnswerOnlyOnOk)
{
    const QString pasted = QString(40000, ' ') + '0'; // longer than a line edit's default
    QtDialogs dialogs;
    const std::pair<const char*, int> ways[] = {
            {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"close box", 0}};
    for (const auto& [name, key] : ways) {
        whenBoxOpens([key = key](QWidget* box, const QStringList& captions) {
            EXPECT_EQ(captions, QStringList({"OK", "キャンセル"}));
            EXPECT_EQ(box->findChild<QLineEdit*>()->selectedText(), "100")
                    << "typing replaces the default answer";
            QTest::keyClicks(box->focusWidget(), "250");
            box->findChild<QLineEdit*>()->insert(QString(40000, ' ') + '0');
            key ? QTest::keyClick(box, Qt::Key(key)) : void(box->close());
        });
        EXPECT_EQ(dialogs.askText("?", "?", "100"), key == Qt::Key_Return ? "250" + pasted : "")
                << name;
    }
}

TEST(QtDialogs, EnterOnTheYesNoBoxMeansYesEvenAfterANoBefore)
{
    QtDialogs dialogs;
    whenBoxOpens([](QWidget* box, const QStringList& captions) {
        EXPECT_EQ(captions, QStringList({"はい(&Y)", "いいえ(&N)"}));
        EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::NoIcon);
        QTest::keyClick(box, Qt::Key_Tab); // the focus on いいえ
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.askYesNo("?", "?"), false) << "Esc means No";
    whenBoxOpens([](QWidget* box, const QStringList&) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(dialogs.askYesNo("?", "?"), true) << "Enter means Yes on the next box";
}

// Every new box would leave its button icons in Qt's pixmap cache.
TEST(QtDialogs, OneBoxOfEachKindServesEveryQuestion)
{
    QtDialogs dialogs;
    for (int n = 0; n < 300; ++n) {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        n % 2 ? void(dialogs.askYesNo("?", "?")) : void(dialogs.askText("?", "?", "1"));
    }
    const auto all = QApplication::allWidgets();
    EXPECT_EQ(std::ranges::count_if(all, [](QWidget* w) { return qobject_cast<QDialog*>(w); }), 2);
}

TEST(QtDialogs, AYesNoBoxLeftWithoutAnAnswerSaysNeitherYesNorNo)
{
    QtDialogs dialogs;
    whenBoxOpens([](QWidget* box, const QStringList&) { QTest::keyClick(box, Qt::Key_Return); });
    ASSERT_EQ(dialogs.askYesNo("?", "?"), true);
    QTimer::singleShot(0,
                       [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->done(0); });
    EXPECT_EQ(dialogs.askYesNo("?", "?"), std::nullopt) << "not the answer given to the box before";
}

TEST(QtDialogs, TheSaveBoxGivesThePathTypedWithTheSuffixOrNothingOnCancel)
{
    QTemporaryDir folder;
    QtDialogs dialogs;
    for (const auto& [key, saved] :
         {std::pair{Qt::Key_Return, folder.filePath("mine.png")}, {Qt::Key_Escape, QString()}}) {
        whenBoxOpens([key = key](QWidget* box, const QStringList& captions) {
            EXPECT_EQ(captions.filter(QRegularExpression("^(保存|キャンセル)$")).size(), 2);
            box->findChild<QLineEdit*>("fileNameEdit")->setText("mine");
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(dialogs.askSavePath("グラフを保存", folder.filePath("chart.png"), "PNG (*.png)")
                          .toStdString(),
                  saved.toStdString());
    }
}
