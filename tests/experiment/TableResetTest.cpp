#include "MainWindowFixture.h"

#include <QTest>

namespace {

TEST_F(MainWindowTest, ResetBlanksTheTableAndTheNextRunCountsOnlyItself)
{
    auto form = enteredWindow("100", "1000", true);
    script.answers = {"10", "37"};
    script.whileOpen = [&] {
        if (journal.size() == 6) {
            EXPECT_TRUE(tableIsBlank(*form));
            EXPECT_TRUE(text(*form, "Label82").isEmpty() && text(*form, "Label2").isEmpty());
            EXPECT_TRUE(button(*form, 1)->isEnabled());
        }
    };
    QTest::mouseClick(button(*form, 3), Qt::LeftButton);
    EXPECT_EQ(journal.mid(0, 5), cueOf("pinpon.wav"));
    EXPECT_EQ(journal.size(), 7);

    QTest::mouseClick(button(*form, 1), Qt::LeftButton);
    EXPECT_EQ(tableSum(*form), 37);
    // Ten guests never fall below -10 nor stay above 1.
    const QStringList cells = shown(*form);
    EXPECT_EQ(cells.mid(0, 48).join(QString()), QString(48, '0'));
    EXPECT_EQ(cells.mid(60, 3).join(QString()), "000");
}

TEST_F(MainWindowTest, ResetBeforeAnyRunOnlyAsksAgain)
{
    auto form = enteredWindow("100", "1000", false);
    script.answers = {"200", "20"};
    form->Command3_Click();
    EXPECT_TRUE(tableIsBlank(*form));
    EXPECT_EQ(text(*form, "Label82") + "/" + text(*form, "Label2"), "200/20");
}

TEST_F(MainWindowTest, QuittingInsideTheResetLeavesTheTableBlankAfterTheCue)
{
    auto form = enteredWindow("100", "1000", true);
    script.answers = {"", "yes"};
    form->Command3_Click();
    EXPECT_EQ(journal.mid(0, 5), cueOf("pinpon.wav"));
    EXPECT_TRUE(script.ended());
    EXPECT_TRUE(tableIsBlank(*form));
    EXPECT_TRUE(button(*form, 1)->isEnabled());
}

} // namespace
