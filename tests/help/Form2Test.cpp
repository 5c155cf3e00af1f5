// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Form2.h"
#include "HelpText.h"
#include "MainWindowFixture.h"
#include "PictureBox.h"

// A line's ink (darker than 4.5 : 1 on white) squeezed into a row of 48 shades:
// the same row however the line was fitted, unless part of it is missing.
static QImage shades(const QImage& image, const QRect& band)
{
    int left = band.right(), right = band.left();
    for (int x = band.left(); x <= band.right(); ++x)
        for (int y = band.top(); y <= band.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 118)
                std::tie(left, right) = std::pair(std::min(left, x), std::max(right, x));
    return left > right ? QImage()
                        : image.copy(left, band.top(), right - left + 1, band.height())
                                  .scaled(48, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

TEST(Form2, PrintsEveryCharacterReadablyInItsBoxAndClosesOnEnterOrEscButNotOnMinimising)
{
    for (const auto& [key, modifier] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                        {Qt::Key_Enter, Qt::KeypadModifier},
                                        {Qt::Key_Escape, Qt::NoModifier}}) {
        QApplication::setPalette(themes()[key == Qt::Key_Return ? 0 : 1]); // dark, then light
        auto* form = new Form2;
        QStringList log;
        QObject::connect(form, &Form2::closed,
                         [&] { log << (form->isVisible() ? "shown" : "hidden"); });
        QObject::connect(form, &QObject::destroyed, [&] { log << "destroyed"; });
        EXPECT_EQ(form->size(), QSize(617, 496));
        for (const auto& [name, geometry] :
             {std::pair{"Command1", QRect(560, 0, 49, 25)}, {"Picture1", QRect(8, 32, 601, 457)}})
            EXPECT_EQ(form->findChild<QWidget*>(name)->geometry(), geometry) << name;
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        form->showMinimized();
        EXPECT_TRUE(log.isEmpty()) << "minimised";
        form->showNormal();
        form->Form_Activate(); // a second activation

        auto& box = *form->findChild<PictureBox*>("Picture1");
        EXPECT_EQ(box.font().pixelSize(), 15);
        EXPECT_TRUE(std::ranges::equal(box.accessibleDescription().split('\n'), kHelpText));
        const QImage image = box.grab().toImage();
        const QRect area = box.contentsRect();
        const int step = box.fontMetrics().lineSpacing();
        box.resize(2 * box.width(), box.height()); // all the room the lines need
        const QImage whole = box.grab().toImage();
        for (int i = 0; i < 28; ++i) {
            const QRect band(area.left(), area.top() + i * step, area.width(), step);
            const QImage shown = shades(image, band);
            const QImage expected = shades(whole, band.adjusted(0, 0, area.width(), 0));
            EXPECT_EQ(shown.isNull(), kHelpText[std::size_t(i)].isEmpty()) << i + 1;
            for (int x = 0; x < shown.width(); ++x)
                EXPECT_NEAR(qGray(shown.pixel(x, 0)), qGray(expected.pixel(x, 0)), 16) << i + 1;
        }
        QTest::keyClick(QApplication::focusWidget(), key, modifier); // on "閉じる"
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(log, QStringList({"hidden", "destroyed"}));
    }
}
