// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// What the main window looks like. Where each control stands is in the
// window's golden files (golden/*.txt), checked once against the layout in
// twips, 15 to a pixel; on a screen too small for it the window scales,
// which the journey checks on a 1366 × 768 screen at 150 % and 200 %.

#include "MainWindowFixture.h"

namespace {

QColor laidOutGround(const QString& name)
{
    if (name == "Label84")
        return QColor(128, 255, 255); // the title's light cyan
    static const QStringList white{"Label1", "Label2", "Label3", "Label4", "Label82", "Label83"};
    return white.contains(name) || name.startsWith("dosu")
            ? QColor(Qt::white)
            : QApplication::palette().color(QPalette::Button);
}

} // namespace

// Each caption is read where a pupil reads it: just above the count of its class.
TEST_F(MainWindowTest, EveryCountStandsUnderTheCaptionOfItsClass)
{
    auto window = openWindow("100", "1000");
    for (int k = 1; k <= 63; ++k) {
        const QWidget* count = window->findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k));
        const QPoint above = count->mapTo(window.get(), count->rect().center()) - QPoint(0, 24);
        const auto* caption = qobject_cast<QLabel*>(window->childAt(above));
        EXPECT_EQ(caption ? caption->text() : "no caption", captionOf(k)) << "class " << k;
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
        // Inside a marked cell's mark.
        const QColor seen = screen.pixelColor(label->mapTo(window.get(), QPoint(3, 3)));
        EXPECT_EQ(seen, laidOutGround(name)) << name;
        EXPECT_GE(contrast(label->palette().color(label->foregroundRole()), seen), 4.5)
                << name << " " << label->text();
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, MainWindowLook, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& row) {
                             return row.param == 0 ? "Dark" : "Light";
                         });
