// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimApp.h"

#include "ChartFile.h"
#include "DistributionChart.h"
#include "Evening.h"
#include "ExactDistribution.h"
#include "ExperimentEngine.h"
#include "SimMessages.h"
#include "SimOptions.h"
#include "SimReport.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>
#include <optional>
#include <random>
#include <variant>

namespace {

// A command's message is one line, where the window shows the reason on a
// line of its own: a Japanese sentence runs on after its 「。」, an English
// one after a space.
std::string chartError(const std::string& path, const ChartFileError& error)
{
    const QString said = chartSaveFailure(QString::fromLocal8Bit(path), error)
                                 .replace(QStringLiteral("。\n"), QStringLiteral("。"))
                                 .replace(u'\n', u' ');
    return (QStringLiteral("torumina-sim: ") + said + u'\n').toStdString();
}

QtMessageHandler qtDefaultHandler = nullptr;

void quietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // A headless tool has no session, so the missing runtime folder of a
    // desktop session is no news to its user; everything else is passed on.
    if (type == QtWarningMsg
        && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    qtDefaultHandler(type, context, message);
}

} // namespace

std::unique_ptr<QCoreApplication> startApplication(const SimArguments& args)
{
    // Qt's own options (-platform, -reverse …) are not torumina-sim's.
    static int argc = 1;
    static char name[] = "torumina-sim";
    static char* argv[] = {name, nullptr};
    if (!args.asksForChart())
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtDefaultHandler = qInstallMessageHandler(quietQtMessages);
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runSim(const SimArguments& args, std::string& out, std::string& err)
{
    const auto parsed = args.options();
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        err = error->message + '\n';
        return 2;
    }
    const SimOptions& options = std::get<SimOptions>(parsed);
    if (options.help) {
        out = usageText();
        return 0;
    }
    if (options.version) {
        out = (QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion())
                        .toStdString()
                + '\n';
        return 0;
    }

    // Opened before the run so that a bad path costs no time and leaves
    // standard output empty.
    std::optional<ChartFile> chart;
    if (options.chartPath) {
        if (const auto error = chart.emplace(QString::fromLocal8Bit(*options.chartPath)).open()) {
            err = chartError(*options.chartPath, *error);
            return 1;
        }
    }

    // Every run is a seeded run, so that the seed it prints repeats it. A
    // drawn seed has 32 bits, few enough digits to copy by hand or keep in a
    // spreadsheet cell.
    const std::uint64_t seed = options.seed ? *options.seed : std::random_device()();
    if (options.evening) {
        out = formatEvening(eveningOfSeed(seed, options.guests), options.format);
        return 0;
    }

    // The exact law is cheap next to the run, and the coins that sufficed
    // are counted beside it even when only the run's are shown.
    SimRun run;
    run.seed = seed;
    run.result = SeededRun(seed).run(options.guests, options.trials);
    const ExactDistribution exact = exactDistribution(options.guests);
    run.coverage = coverageRows(run.result, exact);
    if (options.exact)
        run.exact = exact;

    if (chart) {
        const auto error = chart->save(distributionChart(run.result, exact, run.coverage));
        if (error) {
            err = chartError(*options.chartPath, *error);
            return 1;
        }
    }

    out = formatReport(run, options.format);
    return 0;
}
