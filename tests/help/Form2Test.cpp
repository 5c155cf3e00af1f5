#include "Form2.h"
#include "PictureBox.h"

#include <QTest>

#include <gtest/gtest.h>

// The help text, written apart from the program: each line's count of leading U+3000, then the
// rest.
static const std::pair<int, const char16_t*> kText[] = {
        {0, u""},
        {1, u"【問　　題】"},
        {8, u"クラス会などの幹事を務めることはありませんか。"},
        {8, u"幹事になったつもりで考えてみてください。"},
        {8, u"仮に、クラス会への参加者人数は３５人で、会費は３５００円であるとします。"},
        {8, u"また、参加者は、１０００円札４枚でお釣りを必要とする人と、１０００円札３枚と"},
        {7, u"５００円玉１枚でお釣りの要らない人の２通りだけであるとします。"},
        {8, u"会費は、会場に到着した者から順に集めて、お釣りの要る人にはその時その場で"},
        {7, u"お釣りの５００円玉を渡します。"},
        {8, u"ただし、経験上、お釣りの要る人と要らない人の割合は半々であるとします。"},
        {8, u"さあ、幹事のあなたはお釣りの５００円玉を何枚用意しておけばよいのでしょうか。"},
        {0, u""},
        {1, u"【実験の考え方】"},
        {8, u"お釣りの必要な人と必要でない人の割合は半々なので、１枚のコインを投げて、"},
        {7, u"表が出たらお釣りの必要でない人が来たと考え、裏が出たらお釣りの必要な人が"},
        {7, u"来たと考えます。"},
        {8, u"つまり、表が出たら３０００円と５００円が支払われるので、５００円玉が１個増える"},
        {7, u"ことになります。"},
        {8, u"また、裏が出たら４０００円が支払われるので、お釣りが必要となり、５００円玉が"},
        {7, u"１個減ることになります。"},
        {0, u""},
        {1, u"【操作方法】"},
        {8, u"■お客人数(クラス会参加人数)と実験回数を指定して、不足枚数(幹事が用意し"},
        {8, u"ておく５００円玉の数)と実験回数との関係を度数分布表で表示します。"},
        {9, u"お客人数の設定と実験回数の設定のウィンドウでは、整数を入力して［ＯＫ］ボ"},
        {8, u"タンをクリックします。"},
        {9, u"［実験開始］ボタンをクリックすると、度数分布を表示します。"},
        {9, u"［初期化］ボタンをクリックすると表がクリアーされ、最初から実験をやり直せます。"},
};

TEST(Form2, ShowsTheWholeTextInAFixedLayoutAndLeadsBackOnceWhenClosed)
{
    QStringList expected;
    for (const auto& [indent, rest] : kText)
        expected << QString(indent, QChar(0x3000)) + QString::fromUtf16(rest);
    for (const auto close :
         {+[](Form2& f) { QTest::mouseClick(f.findChild<QWidget*>("Command1"), Qt::LeftButton); },
          +[](Form2& f) { f.close(); }}) {
        auto* form = new Form2;
        EXPECT_TRUE(form->minimumSize() == QSize(617, 496)
                    && form->maximumSize() == QSize(617, 496));
        for (const auto& [name, geometry] : {std::pair{"Command1", QRect(560, 0, 49, 25)},
                                             {"Line1", QRect(8, 24, 601, 1)},
                                             {"Picture1", QRect(8, 32, 601, 457)}})
            EXPECT_EQ(geometry, form->findChild<QWidget*>(name)->geometry()) << name;
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        form->Form_Activate(); // a second activation
        EXPECT_EQ(form->findChild<QWidget*>("Command1"), QApplication::focusWidget());
        PictureBox& box = *form->picture1();
        EXPECT_EQ(expected, box.lines());
        EXPECT_EQ(expected.join('\n'), box.accessibleDescription());
        const QImage image = box.grab().toImage(); // a repaint: each line again in its own band,
                                                   // the first one blank
        const QRect band(box.contentsRect().topLeft(),
                         QSize(box.contentsRect().width(), box.lineHeight()));
        ASSERT_LE(28 * band.height(), box.contentsRect().height());
        for (int i = 1; i < 28; ++i)
            EXPECT_EQ(kText[i].first == 0,
                      image.copy(band.translated(0, i * band.height())) == image.copy(band))
                    << i + 1;

        QStringList log;
        QObject::connect(form, &Form2::closed,
                         [&] { log << (form->isVisible() ? "shown" : "hidden"); });
        QObject::connect(form, &QObject::destroyed, [&] { log << "destroyed"; });
        close(*form);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(QStringList({"hidden", "destroyed"}), log);
    }
}
