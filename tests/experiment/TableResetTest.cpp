#include "MainWindowFixture.h"

#include <QTest>

namespace {

const QStringList kPinpon{QStringLiteral("media Command=Stop"), QStringLiteral("media Command=Close"),
                          QStringLiteral("media FileName=pinpon.wav"),
                          QStringLiteral("media Command=Open"), QStringLiteral("media Command=Sound")};

bool tableIsBlank(const QWidget& form)
{
    for (int k = 1; k <= 63; ++k)
        if (!form.findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k))->text().isEmpty())
            return false;
    return true;
}

TEST_F(MainWindowTest, ResetBlanksTheTableAndTheNextRunCountsOnlyItself)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"));
    form->Command1_Click();
    journal->clear();

    dialogs.answers = {QStringLiteral("10"), QStringLiteral("37")};
    // While the entry asks, the table and the mean are already blank.
    dialogs.whileOpen = [&] {
        if (journal->size() != kPinpon.size() + 1)
            return;
        EXPECT_TRUE(tableIsBlank(*form));
        EXPECT_TRUE(label(*form, QStringLiteral("Label3"))->text().isEmpty());
        EXPECT_TRUE(label(*form, QStringLiteral("Label82"))->text().isEmpty());
        EXPECT_TRUE(label(*form, QStringLiteral("Label2"))->text().isEmpty());
        EXPECT_TRUE(button(*form, 1)->isEnabled());
    };
    QTest::mouseClick(button(*form, 3), Qt::LeftButton);

    EXPECT_EQ(journal->mid(0, kPinpon.size()), kPinpon);
    EXPECT_EQ(journal->size(), kPinpon.size() + 2);
    EXPECT_TRUE(tableIsBlank(*form));
    EXPECT_EQ(label(*form, QStringLiteral("Label82"))->text(), QStringLiteral("10"));
    EXPECT_EQ(label(*form, QStringLiteral("Label2"))->text(), QStringLiteral("37"));

    QTest::mouseClick(button(*form, 1), Qt::LeftButton);
    EXPECT_EQ(tableSum(*form), 37);
    // Ten guests never fall below -10 nor stay above 1.
    for (int k = 1; k <= 63; ++k)
        if (k < 49 || k > 60) {
            EXPECT_EQ(dosu(*form, k)->text(), QStringLiteral("0")) << k;
        }
}

TEST_F(MainWindowTest, ResetBeforeAnyRunOnlyAsksAgain)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"));
    dialogs.answers = {QStringLiteral("200"), QStringLiteral("20")};
    form->Command3_Click();
    EXPECT_TRUE(tableIsBlank(*form));
    EXPECT_TRUE(button(*form, 1)->isEnabled());
    EXPECT_EQ(form->customerCount(), 200);
    EXPECT_EQ(form->trialCount(), 20);
}

TEST_F(MainWindowTest, QuittingInsideTheResetLeavesTheTableBlank)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"));
    form->Command1_Click();
    journal->clear();
    dialogs.answers = {QString()};
    dialogs.yesNo = {true};
    form->Command3_Click();
    EXPECT_EQ(journal->mid(0, kPinpon.size()), kPinpon);
    EXPECT_EQ(journal->last(), QStringLiteral("end"));
    EXPECT_TRUE(programEnd.ended());
    EXPECT_TRUE(tableIsBlank(*form));
    EXPECT_TRUE(button(*form, 1)->isEnabled());
}

} // namespace
