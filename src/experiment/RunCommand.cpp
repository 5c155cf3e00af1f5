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
        dialogs.Inform(QString::fromStdString(error.what()), QStringLiteral("トルミナの実験"));
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
