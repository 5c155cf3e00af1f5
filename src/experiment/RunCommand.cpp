// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "RunCommand.h"

#include "Dialogs.h"
#include "ExperimentEngine.h"
#include "NumberFormat.h"

#include <QCoreApplication>

#include <exception>

namespace {

// The arrow comes back however the handler is left.
class BusyPointer
{
public:
    explicit BusyPointer(QWidget* form) : form_(form) { form_->setCursor(Qt::WaitCursor); }
    ~BusyPointer() { form_->setCursor(Qt::ArrowCursor); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QWidget* form_;
};

// The engine names a refused parameter in English, for the developer's log;
// the user reads which value was refused and the range it must lie in.
QString refusal(std::int16_t customerCount, std::int16_t trialCount)
{
    const auto outside = [](int value, int high) { return value < 1 || value > high; };
    const QString text = QStringLiteral("%1が %2 のため実験できません。%1は1以上%3以下です。");
    if (outside(customerCount, kMaxCustomers))
        return text.arg(QStringLiteral("お客人数")).arg(customerCount).arg(kMaxCustomers);
    if (outside(trialCount, kMaxTrials))
        return text.arg(QStringLiteral("実験回数")).arg(trialCount).arg(kMaxTrials);
    return QStringLiteral("実験を最後まで行えませんでした。");
}

} // namespace

void Command1_Click(const TableControls& controls, ExperimentEngine& engine, Dialogs& dialogs,
                    std::int16_t customerCount, std::int16_t trialCount)
{
    QCoreApplication::processEvents();
    BusyPointer busy(controls.form);
    controls.Command2->setEnabled(false);
    controls.Command3->setEnabled(false);

    ExperimentResult result;
    try {
        result = engine.run(customerCount, trialCount);
    } catch (const std::exception& error) {
        // The table keeps what it showed and the window stays usable.
        controls.Command2->setEnabled(true);
        controls.Command3->setEnabled(true);
        qWarning("%s", error.what());
        dialogs.Inform(refusal(customerCount, trialCount), QStringLiteral("トルミナの実験"));
        return;
    }

    controls.Label3->setText(QString::fromStdString(formatMean(result.meanLowestBalance)));
    for (int k = 1; k <= kClassCount; ++k)
        controls.dosu[static_cast<std::size_t>(k)]->setText(
                QString::number(result.frequencyCounts[static_cast<std::size_t>(k)]));

    controls.Command1->setEnabled(false);
    controls.Command2->setEnabled(true);
    controls.Command3->setEnabled(true);
}
