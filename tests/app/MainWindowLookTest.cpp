// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// What the main window looks like, against its layout in twips (15 to a
// pixel). On a screen too small for it the window scales, which the journey
// checks on a 1366 × 768 screen at 150 % and 200 %.

#include "MainWindowFixture.h"

namespace {

enum class Ground { face, white, cyan };

struct Placed
{
    const char* name;
    int left, top, width, height; // twips
    Ground ground;
};

const Placed kLaidOut[] = {
        {"Command2", 0, 0, 855, 375, Ground::face},
        {"Label84", 1920, 0, 4455, 375, Ground::cyan},
        {"Command4", 6600, 0, 855, 375, Ground::face},
        {"Command3", 7440, 0, 855, 375, Ground::face},
        {"Label83", 240, 6600, 1455, 375, Ground::white},
        {"Label82", 1680, 6600, 1095, 375, Ground::white},
        {"Label4", 3000, 6840, 2295, 375, Ground::white},
        {"Label3", 5280, 6840, 1095, 375, Ground::white},
        {"Command1", 6720, 6720, 1335, 615, Ground::face},
        {"Label1", 240, 7080, 1455, 375, Ground::white},
        {"Label2", 1680, 7080, 1095, 375, Ground::white},
};

QRect pixels(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

QRect placeOf(const QWidget& window, const QString& name)
{
    const QWidget* control = window.findChild<QWidget*>(name);
    return {control->mapTo(&window, QPoint(0, 0)), control->size()};
}

// Class k's count and the caption over it, as laid out: bands of 9 columns,
// 840 twips apart, each a caption row over a count row.
QRect countPlace(int k)
{
    return pixels(1560 + 720 * ((k - 1) % 9), 960 + 840 * ((k - 1) / 9), 735, 375);
}

QColor colourOf(Ground ground)
{
    return ground == Ground::white   ? QColor(Qt::white)
            : ground == Ground::cyan ? QColor(128, 255, 255)
                                     : QApplication::palette().color(QPalette::Button);
}

} // namespace

TEST_F(MainWindowTest, StandsAsLaidOutWithEveryCountUnderTheCaptionOfItsClass)
{
    auto window = openWindow("100", "1000");
    EXPECT_EQ(window->size(), QSize(553, 512));
    for (const Placed& control : kLaidOut)
        EXPECT_EQ(placeOf(*window, control.name),
                  pixels(control.left, control.top, control.width, control.height))
                << control.name;
    EXPECT_EQ(placeOf(*window, "Line1"), QRect(0, 24, 553, 1)) << "the rule under the buttons";
    for (int k = 1; k <= 63; ++k) {
        SCOPED_TRACE(testing::Message() << "class " << k);
        const QRect count = countPlace(k);
        EXPECT_EQ(placeOf(*window, QStringLiteral("dosu(%1)").arg(k)), count);
        const auto* caption =
                qobject_cast<QLabel*>(window->childAt(count.center() - QPoint(0, 24)));
        ASSERT_TRUE(caption) << "no caption over the count";
        EXPECT_EQ(caption->text(), captionOf(k));
    }
}

class MainWindowLook : public MainWindowTest, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override { QApplication::setPalette(themes()[std::size_t(GetParam())]); }
    void TearDown() override { QApplication::setPalette(themes()[1]); }
};

// Every text on the background it was laid out on, the white cells and the
// cyan title staying so on a dark theme, and readable there (WCAG AA).
TEST_P(MainWindowLook, EveryTextIsReadableOnTheBackgroundItWasLaidOutOn)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    const QImage screen = window->grab().toImage();
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QString name = label->objectName();
        Ground ground = name.startsWith("dosu") ? Ground::white : Ground::face;
        for (const Placed& control : kLaidOut)
            ground = name == control.name ? control.ground : ground;
        const QColor seen = screen.pixelColor(placeOf(*window, name).topLeft()
                                              + QPoint(3, 3)); // inside a marked cell's mark
        EXPECT_EQ(seen, colourOf(ground)) << name.toStdString();
        EXPECT_GE(contrast(label->palette().color(label->foregroundRole()), seen), 4.5)
                << name.toStdString() << " " << label->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, MainWindowLook, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& row) {
                             return row.param == 0 ? "Dark" : "Light";
                         });
