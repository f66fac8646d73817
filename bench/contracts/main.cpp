// contracts_bench: the contracts page over a contract table of 100,000 records. The table
// is generated before the first benchmark (once per build tree), so that no figure holds it.
#include "contract_table_file.h"
#include "failures.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHash>

#include <cstdio>
#include <exception>

namespace {

// Every message once, with how often it came at the end: a warning from the page repeats
// on every iteration. The offscreen platform's notes on raising windows are left out.
QHash<QString, int> messageCounts;

void countMessages(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (message.contains(QLatin1String("does not support")) || message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (messageCounts[message]++ == 0) std::fprintf(stderr, "contracts_bench: %s\n", qPrintable(message));
}

void reportRepeatedMessages() {
    for (auto it = messageCounts.cbegin(); it != messageCounts.cend(); ++it)
        if (it.value() > 1)
            std::fprintf(stderr, "contracts_bench: %d times in all: %s\n", it.value(), qPrintable(it.key()));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(countMessages);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        contracts_bench::generatedTable();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "contracts_bench: cannot generate the contract table: %s\n", e.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reportRepeatedMessages();
    return contracts_bench::anyFailed() ? 1 : 0;
}
