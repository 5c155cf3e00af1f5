#include "MainWindowFixture.h"

#include <QTest>

namespace {

TEST_F(MainWindowTest, ResetBlanksTheTableAndTheNextRunCountsOnlyItself)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"), true);
    dialogs.answers = {QStringLiteral("10"), QStringLiteral("37")};
    dialogs.whileOpen = [&] {
        if (journal->size() == 6) {
            EXPECT_TRUE(tableIsBlank(*form));
            EXPECT_TRUE(text(*form, QStringLiteral("Label82")).isEmpty());
            EXPECT_TRUE(text(*form, QStringLiteral("Label2")).isEmpty());
            EXPECT_TRUE(button(*form, 1)->isEnabled());
        }
    };
    QTest::mouseClick(button(*form, 3), Qt::LeftButton);
    EXPECT_EQ(journal->mid(0, 5), cueOf("pinpon.wav"));
    EXPECT_EQ(journal->size(), 7);

    QTest::mouseClick(button(*form, 1), Qt::LeftButton);
    EXPECT_EQ(tableSum(*form), 37);
    // Ten guests never fall below -10 nor stay above 1.
    for (int k = 1; k <= 63; ++k) {
        if (k < 49 || k > 60) {
            EXPECT_EQ(dosu(*form, k), QStringLiteral("0")) << k;
        }
    }
}

TEST_F(MainWindowTest, ResetBeforeAnyRunOnlyAsksAgain)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"), false);
    dialogs.answers = {QStringLiteral("200"), QStringLiteral("20")};
    form->Command3_Click();
    EXPECT_TRUE(tableIsBlank(*form));
    EXPECT_EQ(form->customerCount(), 200);
    EXPECT_EQ(form->trialCount(), 20);
}

TEST_F(MainWindowTest, QuittingInsideTheResetLeavesTheTableBlankAfterTheCue)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"), true);
    dialogs.answers = {QString()};
    dialogs.yesNo = {true};
    form->Command3_Click();
    EXPECT_EQ(journal->mid(0, 5), cueOf("pinpon.wav"));
    EXPECT_TRUE(programEnd.ended());
    EXPECT_TRUE(tableIsBlank(*form));
    EXPECT_TRUE(button(*form, 1)->isEnabled());
}

} // namespace
