// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "TheoryWindow.h"

#include "ChartFile.h"
#include "Dialogs.h"
#include "NumberFormat.h"
#include "ReportWords.h"
#include "TwipLayout.h"
#include "WindowAccessibility.h"
#include "WindowPlacement.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The chart as paintDistributionChart() draws it for the PNG, inside a
// border that shows the keyboard focus. A screen reader, which cannot see
// it, hears its description as the focus lands on it: the answer in words.
class ChartView final : public QWidget
{
public:
    ChartView(const DistributionChart& chart, QWidget* parent) : QWidget(parent), chart_(chart)
    {
        setObjectName(QStringLiteral("chart"));
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(320, 200);
    }

    static constexpr int kBorder = 3;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(),
                         palette().color(hasFocus() ? QPalette::Highlight : QPalette::Window));
        paintDistributionChart(
                painter, QRectF(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder)), chart_);
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

private:
    DistributionChart chart_;
};

QLabel* makeLabel(const QString& name, const QString& text, const QFont& font, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

QTableWidget* makeFiguresTable(const ExperimentResult& run, const ExactDistribution& exact,
                               QWidget* parent)
{
    auto* table = new QTableWidget(kClassCount, 3, parent);
    table->setObjectName(QStringLiteral("figures"));
    table->setAccessibleName(QStringLiteral("不足枚数ごとの度数と期待度数"));
    table->setHorizontalHeaderLabels({QString::fromUtf8(kShortfallCaption),
                                      QString::fromUtf8(kCountCaption),
                                      QString::fromUtf8(kExpectedCountCaption)});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    int deepest = 0; // the first row with a figure other than 0
    for (int k = 1; k <= kClassCount; ++k) {
        const QString cells[] = {
                QString::fromStdString(classCaption(k)),
                QString::number(run.countInClass(k)),
                QString::fromStdString(formatExpectedCount(expectedCount(run, exact, k))),
        };
        if (deepest == 0 && (cells[1] != u"0" || cells[2] != u"0.0"))
            deepest = k;
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(k - 1, column, item);
        }
    }
    table->setCurrentCell(std::max(deepest, 1) - 1, 0);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

} // namespace

TheoryWindow::TheoryWindow(const ExperimentResult& run, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      run_(run),
      exact_(exactDistribution(run.guests)),
      coverage_(coverageRows(run, exact_)),
      chart_(distributionChart(run, exact_, coverage_)),
      dialogs_(dialogs)
{
    reportAsWindow(staticMetaObject);
    setObjectName(QStringLiteral("theoryWindow"));
    setWindowTitle(QStringLiteral(" トルミナの実験２＿理論と比べる"));
    const TwipLayout at = placeSideWindow(this);
    setFont(at.font(15));

    QString spoken;
    QVBoxLayout* answerBox = buildAnswers(at, spoken);
    QTabWidget* pages = buildPages(spoken);
    QHBoxLayout* buttons = buildButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(answerBox);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons);
    pages->currentWidget()->setFocus();
}

QVBoxLayout* TheoryWindow::buildAnswers(const TwipLayout& at, QString& spoken)
{
    QStringList answers;
    auto* answerBox = new QVBoxLayout;
    answerBox->setSpacing(at.pixels(30));
    answerBox->addWidget(makeLabel(QStringLiteral("question"),
                                   QString::fromStdString(theoryQuestion(run_)), at.font(17, true),
                                   this));
    for (const CoverageRow& row : coverage_) {
        answers << QString::fromStdString(coverageAnswer(row));
        answerBox->addWidget(makeLabel(QStringLiteral("answer%1").arg(row.percent), answers.last(),
                                       font(), this));
    }
    const QString means = QString::fromStdString(meansText(run_, exact_));
    answerBox->addWidget(makeLabel(QStringLiteral("means"), means, font(), this));
    spoken = answers.join(QStringLiteral("。")) + QStringLiteral("。") + means;
    return answerBox;
}

// The chart, which a screen reader hears as spoken, and the table of figures.
QTabWidget* TheoryWindow::buildPages(const QString& spoken)
{
    auto* chart = new ChartView(chart_, this);
    chart->setAccessibleName(QStringLiteral("度数分布のグラフ"));
    chart->setAccessibleDescription(spoken);
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    pages->addTab(chart, QStringLiteral("グラフ"));
    auto* figures = makeFiguresTable(run_, exact_, this);
    pages->addTab(figures, QStringLiteral("数表"));
    // A table of 100 guests has its figures far down; it opens where they
    // start, once it is on screen and can scroll.
    connect(
            pages, &QTabWidget::currentChanged, figures,
            [figures] {
                figures->scrollToItem(figures->currentItem(), QAbstractItemView::PositionAtTop);
            },
            Qt::SingleShotConnection);
    return pages;
}

QHBoxLayout* TheoryWindow::buildButtons()
{
    auto* copyButton = new QPushButton(QStringLiteral("数値をコピー"), this);
    auto* saveButton = new QPushButton(QStringLiteral("グラフを保存"), this);
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {copyButton, saveButton, closeButton}) {
        // Enter clicks the focused button, as in the main window.
        button->setAutoDefault(true);
        buttons->addWidget(button);
    }
    buttons->insertStretch(2);
    connect(copyButton, &QPushButton::clicked, this, &TheoryWindow::copyFigures);
    connect(saveButton, &QPushButton::clicked, this, &TheoryWindow::saveChart);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
    new QShortcut(QKeySequence::Copy, this, this, &TheoryWindow::copyFigures);
    return buttons;
}

void TheoryWindow::copyFigures()
{
    QGuiApplication::clipboard()->setText(
            QString::fromStdString(theoryText(run_, exact_, coverage_)));
}

void TheoryWindow::saveChart()
{
    const QString title = QStringLiteral("グラフを保存");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(QString::fromStdString(chartFileName(run_)));
    const QString path = dialogs_.askSavePath(title, suggested, QStringLiteral("PNG 画像 (*.png)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).isFile()) {
        const auto replace =
                dialogs_.askYesNo(QStringLiteral("「%1」はすでにあります。置き換えますか？")
                                          .arg(QFileInfo(path).fileName()),
                                  title);
        if (replace != true)
            return;
    }
    const auto error = saveDistributionChartPng(path, chart_);
    if (!error)
        return;
    dialogs_.inform(
            chartSaveFailure(path, *error)
                    + QStringLiteral("\n同じ名前のファイルがあれば、もとのまま残っています。"),
            title);
}
