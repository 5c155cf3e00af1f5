// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"

#include <QFrame>

namespace {

QRect placeOf(const QWidget& window, const QString& name)
{
    const QWidget* control = window.findChild<QWidget*>(name);
    return {control->mapTo(&window, QPoint(0, 0)), control->size()};
}

QColor backgroundSeen(const QWidget& window, const QImage& screen, const QString& name)
{
    return screen.pixelColor(placeOf(window, name).topLeft() + QPoint(1, 1));
}

} // namespace

class MainWindowLook : public MainWindowTest, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override { QApplication::setPalette(themes()[std::size_t(GetParam())]); }
    void TearDown() override { QApplication::setPalette(themes()[1]); }
};

// Each header caption is read where a pupil reads it: just above the count
// of its class.
TEST_P(MainWindowLook, EveryCountStandsUnderTheCaptionOfItsClass)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    for (int k = 1; k <= 63; ++k) {
        const QRect cell = placeOf(*window, QStringLiteral("dosu(%1)").arg(k));
        const auto* header =
                qobject_cast<QLabel*>(window->childAt(cell.center() - QPoint(0, cell.height())));
        ASSERT_TRUE(header) << "no caption above class " << k;
        const QString expected = k == 1 ? "～  -57" : k == 63 ? "3  ～" : QString::number(k - 59);
        EXPECT_EQ(header->text(), expected) << "class " << k;
    }
}

TEST_P(MainWindowLook, EveryLabelIsReadableOnItsBackground)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    const QImage screen = window->grab().toImage();
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QColor text = label->palette().color(label->foregroundRole());
        EXPECT_GE(contrast(text, backgroundSeen(*window, screen, label->objectName())), 4.5)
                << label->objectName().toStdString() << " " << label->text().toStdString();
    }
}

TEST_P(MainWindowLook, FixedBackgroundsStayOnEveryTheme)
{
    auto window = openWindow("100", "1000");
    const QImage screen = window->grab().toImage();
    EXPECT_EQ(backgroundSeen(*window, screen, "Label84"), QColor(128, 255, 255));
    EXPECT_TRUE(window->findChild<QLabel*>("Label84")->font().bold());
    EXPECT_EQ(window->findChild<QLabel*>("Label84")->font().pixelSize(), 21);
    for (const char* name :
         {"Label83", "Label82", "Label1", "Label2", "Label4", "Label3", "dosu(1)", "dosu(63)"})
        EXPECT_EQ(backgroundSeen(*window, screen, name), QColor(Qt::white)) << name;
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (const char* name : {"Label5", "Label27", "Label7", "Label81", "Label28"})
        EXPECT_EQ(backgroundSeen(*window, screen, name), face) << name << " on the button face";
}

INSTANTIATE_TEST_SUITE_P(Themes, MainWindowLook, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& row) {
                             return row.param == 0 ? "Dark" : "Light";
                         });

TEST_F(MainWindowTest, EveryLabelHasTheFontItWasLaidOutWith)
{
    auto window = openWindow("100", "1000");
    for (const char* bold : {"Label83", "Label1", "Label4"}) {
        const QFont font = window->findChild<QLabel*>(bold)->font();
        EXPECT_TRUE(font.bold() && font.pixelSize() == 19) << bold;
    }
    for (const char* plain : {"Label82", "Label2", "Label3", "Label5", "Label8", "dosu(1)"}) {
        const QFont font = window->findChild<QLabel*>(plain)->font();
        EXPECT_TRUE(!font.bold() && font.pixelSize() == 19) << plain;
    }
    for (const char* corner : {"Label7", "Label81"})
        EXPECT_EQ(window->findChild<QLabel*>(corner)->font(), window->font()) << corner;
    for (const char* caption : {"実験開始", "終了", "初期化", "HELP"})
        EXPECT_EQ(button(*window, caption)->font().pixelSize(), 15) << caption;
}

// 15 twips to a pixel: the client area of 8295 × 7680 twips, and each
// caption touching the value it names, on the same row.
TEST_F(MainWindowTest, TheValueRowsStandAsLaidOut)
{
    auto window = openWindow("100", "1000");
    EXPECT_EQ(window->size(), QSize(553, 512));
    for (const auto& [caption, value] :
         {std::pair{"Label83", "Label82"}, {"Label1", "Label2"}, {"Label4", "Label3"}}) {
        const QRect left = placeOf(*window, caption), right = placeOf(*window, value);
        EXPECT_EQ(left.top(), right.top()) << caption << " beside " << value;
        EXPECT_EQ(left.right(), right.left()) << caption << " shares its border with " << value;
    }
    EXPECT_EQ(placeOf(*window, "Label83"), QRect(16, 440, 97, 25)) << "お客人数";
    EXPECT_EQ(placeOf(*window, "Label4"), QRect(200, 456, 153, 25)) << "不足枚数の平均";
    EXPECT_EQ(placeOf(*window, "Label1"), QRect(16, 472, 97, 25)) << "実験回数";
    EXPECT_EQ(placeOf(*window, "Command1"), QRect(448, 448, 89, 41)) << "実験開始";
    EXPECT_EQ(placeOf(*window, "Label84"), QRect(128, 0, 297, 25)) << "the title";
    EXPECT_EQ(placeOf(*window, "Line1"), QRect(0, 24, 553, 1)) << "the rule under the buttons";
    for (const auto& [name, left] :
         {std::pair{"Command2", 0}, {"Command4", 440}, {"Command3", 496}})
        EXPECT_EQ(placeOf(*window, name), QRect(left, 0, 57, 25)) << name;
}

// Neighbouring cells share one border line; a gap separates the bands.
TEST_F(MainWindowTest, TheTableIsAGridOfSharedBordersInSevenBands)
{
    auto window = openWindow("100", "1000");
    EXPECT_EQ(placeOf(*window, "Label5"), QRect(16, 40, 89, 25)) << "the first title cell";
    EXPECT_EQ(placeOf(*window, "dosu(1)"), QRect(104, 64, 49, 25)) << "the first count";
    for (int k = 1; k <= 63; ++k) {
        const QRect cell = placeOf(*window, QStringLiteral("dosu(%1)").arg(k));
        if (k % 9 != 0) {
            EXPECT_EQ(placeOf(*window, QStringLiteral("dosu(%1)").arg(k + 1)),
                      cell.translated(cell.width() - 1, 0))
                    << "the count right of class " << k;
        }
        if (k + 9 <= 63) {
            EXPECT_EQ(placeOf(*window, QStringLiteral("dosu(%1)").arg(k + 9)),
                      cell.translated(0, 56))
                    << "the count below class " << k << ", past a gap of 7 px";
        }
    }
}
