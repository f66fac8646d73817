// Start-up to the main page shown and idle, measured as the user meets it: a fresh process
// started in a folder holding a contract table of 1,000 records. The benchmark starts
// itself again as that process ("--child FOLDER"), which builds the application exactly
// as Telma does and writes one byte to its standard output once the main page is shown
// and the event loop is idle; the clock stops at that byte. Peak memory is the child's
// maximum resident set size.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/screen_registry.h"
#include "app/startup.h"
#include "app/telma_application.h"
#include "platform/desktop.h"
#include "platform/paradox/table.h"
#include "tools/contract_schema.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string selfPath;
fs::path tableFolder;

// A table of the contract layout (as telma-table creates it) with 1,000 realistic records.
void prepareTable(const fs::path& folder)
{
    fs::create_directories(folder);
    auto table = paradox::Table::create(folder / telma::kContractTableFile, telma::contractFields(),
                                        telma::kContractKeyFields);
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(i + 1);
        table.insert({std::nullopt, "0148300012525" + n, "Капитальный ремонт здания № " + n,
                      "г. Тула, ул. Садовая, д. " + n, "Управление образования администрации г. Тулы",
                      std::to_string(1000000 + i * 1375) + ".50", "", "14.04.2025", "ООО «СтройМонтаж»",
                      "Начальник управления", "Петрова Е.А.", "Генеральный директор", "Соколов И.В.", "",
                      "31.08.2025", "", "Муниципальный контракт"});
    }
}

// The child: the application built as Telma builds it, the main page shown, then one byte
// out once the loop has nothing more to do.
class SilentDesktop final : public desktop::Desktop {
public:
    void message(QWidget*, const QString& title, const QString& text, desktop::Icon) override
    {
        std::fprintf(stderr, "app_bench child: [%s] %s\n", qPrintable(title), qPrintable(text));
    }
    desktop::Answer ask(QWidget*, const QString&, const QString&, desktop::Icon, const QList<desktop::Answer>& b,
                        desktop::Answer) override
    {
        return b.isEmpty() ? desktop::Answer::Ok : b.last();
    }
    bool openUrl(const QUrl&) override { return false; }
    bool openFile(const QString&) override { return false; }
};

// The offscreen platform reports on every show that it cannot raise a window.
void quietMessages(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (!message.contains(QLatin1String("does not support raise")) && !message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        std::fprintf(stderr, "app_bench child: %s\n", qPrintable(message));
}

int runChild(int argc, char** argv, const char* folder)
{
    qInstallMessageHandler(quietMessages);
    if (!QDir::setCurrent(QString::fromLocal8Bit(folder)))
        return 3;
    app::TelmaApplication application(argc, argv);
    SilentDesktop desktop;
    app::ScreenRegistry registry(desktop, QStringLiteral("Telma"));
    try {
        app::buildScreens(registry);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "app_bench child: %s\n", e.what());
        return 1;
    }
    app::showScreen(registry.mainPage());
    QTimer::singleShot(0, [] {
        const char ready = 'R';
        if (write(STDOUT_FILENO, &ready, 1) != 1)
            std::_Exit(4);
        QCoreApplication::quit();
    });
    application.exec();
    return 0;
}

void BM_StartupToMainPageIdle(benchmark::State& state)
{
    long peakKb = 0;
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::string folder = tableFolder.string();
        char childFlag[] = "--child";
        char* args[] = {selfPath.data(), childFlag, folder.data(), nullptr};
        std::vector<std::string> envStore;
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
                env.push_back(*e);
        char offscreen[] = "QT_QPA_PLATFORM=offscreen";
        env.push_back(offscreen);
        env.push_back(nullptr);

        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, selfPath.c_str(), &actions, nullptr, args, env.data());
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (spawned != 0) {
            close(out[0]);
            state.SkipWithError("cannot start the child process");
            return;
        }
        char byte = 0;
        const ssize_t got = read(out[0], &byte, 1);
        const auto ready = std::chrono::steady_clock::now();
        close(out[0]);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (got != 1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child did not reach the idle main page");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(ready - start).count());
        peakKb = std::max(peakKb, usage.ru_maxrss);
    }
    state.counters["peak_rss_MiB"] = double(peakKb) / 1024.0;
}
BENCHMARK(BM_StartupToMainPageIdle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, argv[2]);

    char resolved[4096];
    const ssize_t n = readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    selfPath = n > 0 ? std::string(resolved, std::size_t(n)) : std::string(argv[0]);
    tableFolder = fs::temp_directory_path() / ("telma-app-bench-" + std::to_string(getpid()));
    const auto t0 = std::chrono::steady_clock::now();
    prepareTable(tableFolder);
    std::fprintf(stderr, "app_bench: table of 1,000 contracts written in %.1f s\n",
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(tableFolder);
    return 0;
}
