// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The real boxes. Enter on an entry box and Esc on the quit box are also the
// journey's, on a real X server.

#include "QtDialogs.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Acts on the modal box once it is active (a key sent earlier is lost).
template<typename Act>
static void whenBoxOpens(Act act, int tries = 6000)
{
    QTimer::singleShot(10, [=] {
        QWidget* box = QApplication::activeModalWidget();
        if ((!box || QApplication::activeWindow() != box) && tries > 0)
            return whenBoxOpens(act, tries - 1);
        ASSERT_TRUE(box && tries > 0) << "no box became active";
        act(box);
    });
}

// As a pupil types, where the focus is: the keys replace the default answer, also when the last
// answer left the focus on a button; a paste longer than a line edit's default limit counts in
// full. Only OK gives the answer.
TEST(QtDialogs, TypingReplacesTheDefaultAnswerWhichOnlyOkGives)
{
    const QString pasted = QString(40000, ' ') + '0';
    QtDialogs dialogs;
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Return), int(Qt::Key_Escape), 0}) {
        whenBoxOpens([&](QWidget* box) {
            QTest::keyClicks(QApplication::focusWidget(), "250");
            box->findChild<QLineEdit*>()->insert(pasted);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // on to OK
            key ? QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)) : void(box->close());
        });
        EXPECT_EQ(dialogs.askText("?", "?", "100"), key == Qt::Key_Return ? "250" + pasted : "")
                << "key " << key << " (0: the close box)";
    }
}

// A refusal comes with a warning icon, what the program is with an information icon.
TEST(QtDialogs, ARefusalWarnsAndTheProgramsDescriptionInforms)
{
    QtDialogs dialogs;
    for (const bool refusal : {true, false}) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenBoxOpens([&icon](QWidget* box) {
            icon = qobject_cast<QMessageBox*>(box)->icon();
            QTest::keyClick(box, Qt::Key_Return);
        });
        refusal ? dialogs.inform("?", "?") : dialogs.tellAbout("?", "?");
        EXPECT_EQ(icon, refusal ? QMessageBox::Warning : QMessageBox::Information);
    }
}

// Enter means Yes even after a No, and a box closed without an answer says neither.
TEST(QtDialogs, TheYesNoBoxAnswersYesOnEnterNoOnEscAndNothingUnanswered)
{
    QtDialogs dialogs;
    whenBoxOpens([](QWidget* box) {
        QTest::keyClick(box, Qt::Key_Tab); // the focus on いいえ
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.askYesNo("?", "?"), false);
    whenBoxOpens([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(dialogs.askYesNo("?", "?"), true);
    whenBoxOpens([](QWidget* box) { qobject_cast<QDialog*>(box)->done(0); });
    EXPECT_EQ(dialogs.askYesNo("?", "?"), std::nullopt);
}

// Qt's file box read say "hi".png as the name hi.png: such a name is refused
// and the box asks again.
TEST(QtDialogs, ASaveNameWithAQuoteIsRefusedAndAskedAgain)
{
    const QTemporaryDir folder;
    QtDialogs dialogs;
    QString refusal;
    whenBoxOpens([&](QWidget* box) {
        box->findChild<QLineEdit*>("fileNameEdit")->setText(R"(say "hi".png)");
        whenBoxOpens([&](QWidget* message) {
            refusal = qobject_cast<QMessageBox*>(message)->text();
            whenBoxOpens([](QWidget* again) { qobject_cast<QDialog*>(again)->reject(); });
            qobject_cast<QDialog*>(message)->accept();
        });
        qobject_cast<QDialog*>(box)->accept();
    });
    EXPECT_EQ(dialogs.askSavePath("?", folder.filePath("chart.png"), "PNG (*.png)"), "");
    EXPECT_TRUE(refusal.contains(" \" ")) << "the refusal names what it refuses";
}
