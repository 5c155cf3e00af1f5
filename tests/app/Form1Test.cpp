// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"

const QString kGuests =
        QStringLiteral("input  お客人数の設定|10以上1000以下の整数を入力してください．．．|100");
const QString kTrials =
        QStringLiteral("input  実験回数の設定|1以上10000以下の整数を入力してください．．．|1000");
const QString kConfirm = QStringLiteral("yesno 確認|終了していいですか？");

TEST_F(MainWindowTest, NewWindowAsksOnceTabsInButtonOrderAndEndsOnlyOnYesOrItsCloseBox)
{
    auto form = window();
    script.answers = {"100", "1000", "no"};
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return journal.size() == 2; }));
    QEvent activate(QEvent::WindowActivate); // as a box closing or a switch of programs does
    QApplication::sendEvent(form.get(), &activate);
    QApplication::processEvents();
    EXPECT_EQ(shown(*form).join(QString()) + state(*form), "0++++") << "blank and ready";
    QString walk; // from "実験開始", which has the focus
    for (int n = 1; n <= 4; ++n, walk += QApplication::focusWidget()->objectName())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(walk, "Command2Command3Command4Command1");
    QTest::mouseClick(button(*form, 2), Qt::LeftButton);
    EXPECT_EQ(journal.filter(QRegularExpression("^(input|yesno)|FileName")),
              (QStringList{kGuests, kTrials, "media FileName=endpinpon.wav",
                           "yesno トルミナの実験|終了していいですか？"}));
    EXPECT_EQ(text(*form, "Label82") + "/" + text(*form, "Label2") + state(*form), "100/10000++++");
    EXPECT_FALSE(script.ended());
    form->close();
    EXPECT_TRUE(script.ended());
}

// Headers are found by where they stand: above the cell counting their class.
TEST_F(MainWindowTest, AfterARunEveryControlStandsAndLooksAsLaidOutOnADarkAndALightTheme)
{
    for (const QPalette& theme : themes()) {
        QApplication::setPalette(theme);
        auto form = enteredWindow("100", "1000");
        form->Command1_Click();
        EXPECT_EQ(form->size(), QSize(553, 512));
        const std::pair<const char*, QRect> places[] = {
                {"Command2", {0, 0, 57, 25}},     {"Label84", {128, 0, 297, 25}},
                {"Command4", {440, 0, 57, 25}},   {"Command3", {496, 0, 57, 25}},
                {"Line1", {0, 24, 553, 1}},       {"dosu(2)", {152, 64, 49, 25}},
                {"Label28", {104, 96, 49, 25}},   {"dosu(63)", {488, 400, 49, 25}},
                {"Label82", {112, 440, 73, 25}},  {"Label3", {352, 456, 73, 25}},
                {"Command1", {448, 448, 89, 41}}, {"Label2", {112, 472, 73, 25}}};
        for (const auto& [name, place] : places)
            EXPECT_EQ(form->findChild<QWidget*>(name)->geometry(), place) << name;
        for (int k = 1; k <= 63; ++k) {
            const QString value = k == 1 ? "～  -57" : k == 63 ? "3  ～" : QString::number(k - 59);
            const QPoint cell = form->findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k))->pos();
            EXPECT_EQ(qobject_cast<QLabel*>(form->childAt(cell + QPoint(24, -12)))->text(), value);
        }
        const QImage screen = form->grab().toImage();
        const QColor face = theme.color(QPalette::Button), white(Qt::white);
        const std::tuple<QStringList, QColor, int, bool> looks[] = {
                {{"Label84"}, QColor(128, 255, 255), 21, true},
                {{"Label83", "Label1", "Label4"}, white, 19, true},
                {{"Label82", "Label2", "Label3", "dosu(1)", "dosu(63)"}, white, 19, false},
                {{"Label5", "Label27", "Label8", "Label80"}, face, 19, false},
                {{"Label7", "Label81"}, face, form->font().pixelSize(), false},
                {{"Command1", "Command2", "Command3", "Command4"}, QColor(), 15, false}};
        for (const auto& [names, background, pixels, bold] : looks)
            for (const QString& name : names) {
                QWidget* control = form->findChild<QWidget*>(name);
                const QColor shows = screen.pixelColor(control->pos() + QPoint(1, 1));
                const auto look = std::tuple(control->font().pixelSize(), control->font().bold());
                EXPECT_EQ(look, std::tuple(pixels, bold)) << qPrintable(name);
                EXPECT_TRUE(!background.isValid() || shows == background) << qPrintable(name);
            }
        for (QLabel* label : form->findChildren<QLabel*>())
            EXPECT_GE(contrast(label->palette().color(label->foregroundRole()),
                               screen.pixelColor(label->pos() + QPoint(1, 1))),
                      4.5)
                    << qPrintable(label->objectName());
    }
}

// An unanswered count stays 0, which the engine refuses.
TEST_F(MainWindowTest, ParameterEntryAsksUntilAnsweredInRangeAndARefusalIsToldInJapanese)
{
    const std::tuple<std::deque<QString>, QStringList, QString, QString> cases[] = {
            {{"9.99", "10.9", "0", "", "no", "10000"},
             {kGuests, kGuests, kTrials, kTrials, kConfirm, kTrials},
             "10/10000",
             ""},
            {{"", "yes"}, {kGuests, kConfirm, "end"}, "/", "お客人数が 0 "},
            {{"1000", "", "yes"}, {kGuests, kTrials, kConfirm, "end"}, "1000/", "実験回数が 0 "}};
    for (const auto& [answers, boxes, counts, refusal] : cases) {
        journal.clear();
        auto form = window();
        script.answers = answers;
        form->EnterParameters();
        EXPECT_EQ(journal, boxes);
        EXPECT_EQ(text(*form, "Label82") + "/" + text(*form, "Label2"), counts);
        if (!refusal.isEmpty()) {
            form->Command1_Click();
            const QString message = journal.last().section('|', 1);
            EXPECT_TRUE(message.contains(QRegularExpression("^" + refusal + "[^A-Za-z]+$")))
                    << qPrintable(message);
        }
    }
}
