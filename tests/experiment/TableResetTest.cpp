// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"

// The reset blanks the table before asking, even if the program then ends.
TEST_F(MainWindowTest, RunFillsEveryCellAndResetBlanksThemBeforeAskingAgain)
{
    for (const bool quit : {false, true}) {
        auto form = enteredWindow("100", "1000");
        QSet<QString> during;
        clock.watch = [&] { during << state(*form); };
        // Enter and keypad Enter click the focused button, as on Windows.
        QTest::keyClick(button(*form, 1), quit ? Qt::Key_Enter : Qt::Key_Return,
                        quit ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(during, QSet<QString>{"3+--+"});
        EXPECT_EQ(state(*form), "0-+++");
        EXPECT_TRUE(shown(*form).join(' ').contains(
                QRegularExpression("^([0-9]+ ){60}0 0 0 -?[0-9]*\\.[0-9]$")));
        EXPECT_EQ(tableSum(*form), 1000);

        script.answers = quit ? std::deque<QString>{"", "yes"} : std::deque<QString>{"10", "37"};
        script.whileOpen = [&] {
            EXPECT_EQ(shown(*form).join(QString()) + text(*form, "Label2") + state(*form), "0++++");
        };
        QTest::mouseClick(button(*form, 3), Qt::LeftButton);
        // The reset's cue comes first: a run plays none and asks nothing.
        EXPECT_EQ(journal.filter(QRegularExpression("^input|FileName")).value(0),
                  "media FileName=pinpon.wav");
        EXPECT_EQ(text(*form, "Label82") + "/" + text(*form, "Label2"), quit ? "/" : "10/37");
        EXPECT_EQ(script.ended(), quit);
        if (!quit)
            QTest::mouseClick(button(*form, 1), Qt::LeftButton);
        EXPECT_EQ(tableSum(*form), quit ? 0 : 37) << "the new run alone";
    }
}
