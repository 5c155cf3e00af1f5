#include "Form2.h"
#include "HelpText.h"
#include "PictureBox.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

QStringList expectedHelpText();

namespace {

QPushButton* closeButton(Form2& form)
{
    return form.findChild<QPushButton*>(QStringLiteral("Command1"));
}

void expectHelpTextShown(const PictureBox& box)
{
    EXPECT_EQ(expectedHelpText(), box.lines());
    EXPECT_EQ(expectedHelpText().join(QLatin1Char('\n')), box.accessibleDescription());
}

bool isWhite(const QImage& image, const QRect& band)
{
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return false;
    return true;
}

} // namespace

TEST(Form2, LaysOutTheControlsAtTheirPixelPositions)
{
    Form2 form;
    EXPECT_EQ(QStringLiteral(" トルミナの実験２＿ヘルプ（設問と操作方法）"), form.windowTitle());
    EXPECT_EQ(QSize(617, 496), form.minimumSize());
    EXPECT_EQ(QSize(617, 496), form.maximumSize());
    EXPECT_EQ(QStringLiteral("閉じる"), closeButton(form)->text());
    const std::pair<const char*, QRect> controls[] = {
        {"Command1", QRect(560, 0, 49, 25)},
        {"Line1", QRect(8, 24, 601, 1)},
        {"Picture1", QRect(8, 32, 601, 457)},
    };
    for (const auto& [name, geometry] : controls) {
        const auto* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(nullptr, widget) << name;
        EXPECT_EQ(geometry, widget->geometry()) << name;
    }
    const QImage image = form.grab().toImage();
    const QColor ink = form.palette().color(QPalette::WindowText);
    EXPECT_EQ(ink, image.pixelColor(8, 24));
    EXPECT_EQ(ink, image.pixelColor(608, 24));

    const PictureBox& box = *form.picture1();
    EXPECT_LE(static_cast<int>(kHelpLineCount) * box.lineHeight(), box.contentsRect().height())
        << "the help text does not fit in " << qPrintable(QFontInfo(box.font()).family());
}

TEST(Form2, EveryActivationShowsTheHelpTextExactlyOnce)
{
    const std::function<void(Form2&)> ways[] = {
        [](Form2& form) { form.Form_Activate(); },
        [](Form2& form) {
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(&form, &activate);
        },
    };
    for (const auto& activate : ways) {
        Form2 form;
        activate(form);
        activate(form);
        expectHelpTextShown(*form.picture1());
    }
}

TEST(Form2, OpensWithTheTextShownAndTheFocusOnClose)
{
    Form2 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    expectHelpTextShown(*form.picture1());
    EXPECT_EQ(closeButton(form), QApplication::focusWidget());
    QTest::keyClick(&form, Qt::Key_Tab);
    EXPECT_EQ(form.picture1(), QApplication::focusWidget());
}

TEST(Form2, EveryWayOfClosingLeadsBackOnceAfterTheWindowIsGone)
{
    const auto click = [](Form2& form) { QTest::mouseClick(closeButton(form), Qt::LeftButton); };
    const struct {
        const char* how;
        bool shown;
        std::function<void(Form2&)> close;
    } ways[] = {
        {"閉じる", true, click},
        {"close box", true, [](Form2& form) { form.close(); }},
        {"閉じる, then close box", true, [&](Form2& form) { click(form); form.close(); }},
        {"close before ever shown", false, [](Form2& form) { form.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        QPointer<Form2> form = new Form2;
        if (way.shown) {
            form->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(form.data()));
        }
        QSignalSpy spy(form.data(), &Form2::closed);
        bool visibleWhenClosed = true;
        QObject::connect(form.data(), &Form2::closed, [&] { visibleWhenClosed = form->isVisible(); });

        way.close(*form);
        EXPECT_EQ(1, spy.count());
        EXPECT_FALSE(visibleWhenClosed);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull());
        delete form.data();
    }
}

TEST(PictureBox, PrintsLineByLineCondensingWideLinesAndClsErases)
{
    PictureBox box;
    box.resize(200, 100);
    const QRect area = box.contentsRect();
    const int step = box.lineHeight();
    const int indent = box.fontMetrics().horizontalAdvance(QString(2, QChar(0x3000)));
    const int quarter = (area.width() - indent) / 4;
    const int second = area.top() + step;

    box.Print(QString());
    // Indentation, ink, then as much blank: the indentation keeps its width
    // and the blank half still shows, so the text was condensed rather than
    // cut off or wrapped.
    box.Print(QString(2, QChar(0x3000)) + QString(30, QChar(0x25A0)) + QString(30, QChar(0x3000)));
    const QImage image = box.grab().toImage();
    EXPECT_TRUE(isWhite(image, QRect(area.left(), area.top(), area.width(), step)));
    EXPECT_TRUE(isWhite(image, QRect(area.left(), second, indent, step)));
    EXPECT_FALSE(isWhite(image, QRect(area.left() + indent, second, quarter, step)));
    EXPECT_TRUE(isWhite(image, QRect(area.right() - quarter, second, quarter, step)));
    EXPECT_TRUE(isWhite(image, QRect(area.left(), second + step, area.width(), area.bottom() - second - step)));

    box.Cls();
    EXPECT_TRUE(box.accessibleDescription().isEmpty());
    EXPECT_TRUE(isWhite(box.grab().toImage(), area));
}
