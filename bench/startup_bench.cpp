// The editor's start-up beside a bare QMainWindow of the same size, each in a
// fresh process of this program, in the same run: the time from exec to the
// window shown and painted, and the memory the process holds once idle.
//
//   ./dev startup   (or: cmake --preset bench-gui, then build and run
//   build/bench-gui/bench/velquor_startup_bench)
//
// A third window, the bare one with one line of text, pays what any window
// that draws text pays before it shows (font configuration and the first
// font loaded, most of the gap to the bare one on Linux): it is the honest
// baseline, and *_vs_text compare with it. Goals: at most 1.2 times its time
// and 1.1 times its memory.
//
// Without a display the windows go to Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "ui/main/frm_editor.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--startup-child";
constexpr double kTimeGoal = 1.2;
constexpr double kMemoryGoal = 1.1;

// ---------------------------------------------------------------- the child

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:" && status >> value)
            return value;
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

void say(const std::string& line) {
    const std::string text = line + "\n";
    if (::write(STDOUT_FILENO, text.data(), text.size()) < 0)
        std::_Exit(3);
}

// Tells the parent once the window's first expose has been handled (and with
// it the first paint), then, after the event loop has gone quiet, its memory.
class ShownWatch : public QObject {
  public:
    explicit ShownWatch(QWidget& window) : window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!shown_ && event->type() == QEvent::Expose && watched == window_.windowHandle() &&
            window_.windowHandle()->isExposed()) {
            shown_ = true;
            QMetaObject::invokeMethod(
                this, [this] { report(); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    void report() {
        say("shown");
        QTimer::singleShot(300, this, [this] {
            say("idle " + std::to_string(residentKiB()) + " " + std::to_string(window_.width()) +
                " " + std::to_string(window_.height()));
            std::_Exit(0);  // the parent has what it came for; no teardown to time
        });
    }

    QWidget& window_;
    bool shown_ = false;
};

// As the program's main() does it, or a bare window of the size given.
int runChild(const std::string& kind, int argc, char** argv) {
    QApplication app(argc, argv);
    velquor::platform::QtDialogs dialogs;
    velquor::platform::Platform platform{dialogs, velquor::platform::Registry::system(),
                                         velquor::platform::Launcher::system()};
    std::unique_ptr<QWidget> window;
    if (kind == "editor") {
        window = std::make_unique<velquor::ui::frmEditor>(platform);
    } else {
        auto bare = std::make_unique<QMainWindow>();
        if (kind == "text")
            bare->setCentralWidget(new QLabel(QStringLiteral("Current League: Spain")));
        bare->resize(std::atoi(argv[2]), std::atoi(argv[3]));
        window = std::move(bare);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                                screen->availableGeometry()));
    ShownWatch watch(*window);
    app.installEventFilter(&watch);
    window->show();
    return QApplication::exec();
}

// --------------------------------------------------------------- the parent

struct Start {
    double ms = 0;
    double mib = 0;
    std::string size;  // "width height" of the window
};

bool readLine(int fd, std::string& line) {
    line.clear();
    char c = 0;
    while (::read(fd, &c, 1) == 1) {
        if (c == '\n')
            return true;
        line += c;
    }
    return false;
}

Start startChild(const std::vector<std::string>& args) {
    std::vector<std::string> all{"/proc/self/exe"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    pid_t pid = 0;
    const auto begin = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + all[1]);

    Start start;
    std::string line;
    const bool shown = readLine(out[0], line) && line == "shown";
    const auto end = std::chrono::steady_clock::now();
    const bool idle = shown && readLine(out[0], line) && line.rfind("idle ", 0) == 0;
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!idle)
        throw std::runtime_error(all[1] + " did not report its window");
    start.ms = std::chrono::duration<double, std::milli>(end - begin).count();
    const std::size_t cut = line.find(' ', 5);
    start.mib = std::stod(line.substr(5, cut - 5)) / 1024.0;
    start.size = line.substr(cut + 1);
    return start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_StartUpBesideABareWindow(benchmark::State& state) {
    const std::string editorFlag = std::string(kChildFlag) + "=editor";
    const std::string bareFlag = std::string(kChildFlag) + "=bare";
    const std::string textFlag = std::string(kChildFlag) + "=text";
    // The editor's size, and both programs' files in the page cache.
    const Start first = startChild({editorFlag});
    const std::size_t space = first.size.find(' ');
    const std::vector<std::string> bareArgs{bareFlag, first.size.substr(0, space),
                                            first.size.substr(space + 1)};
    startChild(bareArgs);
    std::vector<std::string> textArgs = bareArgs;
    textArgs[0] = textFlag;

    std::vector<double> editorMs, bareMs, textMs, editorMiB, bareMiB, textMiB;
    bool editorFirst = true;
    for (auto _ : state) {
        // Taking turns at going first, so neither gains from the other's traces.
        Start editor, bare;
        if (editorFirst) {
            editor = startChild({editorFlag});
            bare = startChild(bareArgs);
        } else {
            bare = startChild(bareArgs);
            editor = startChild({editorFlag});
        }
        editorFirst = !editorFirst;
        const Start text = startChild(textArgs);
        textMs.push_back(text.ms);
        textMiB.push_back(text.mib);
        state.SetIterationTime(editor.ms / 1000.0);
        editorMs.push_back(editor.ms);
        bareMs.push_back(bare.ms);
        editorMiB.push_back(editor.mib);
        bareMiB.push_back(bare.mib);
    }
    const double timeRatio = median(editorMs) / median(bareMs);
    const double memoryRatio = median(editorMiB) / median(bareMiB);
    state.counters["editor_ms"] = median(editorMs);
    state.counters["bare_ms"] = median(bareMs);
    state.counters["time_ratio"] = timeRatio;
    state.counters["editor_MiB"] = median(editorMiB);
    state.counters["bare_MiB"] = median(bareMiB);
    state.counters["memory_ratio"] = memoryRatio;
    const double timeRatioVsText = median(editorMs) / median(textMs);
    const double memoryRatioVsText = median(editorMiB) / median(textMiB);
    state.counters["time_ratio_vs_text"] = timeRatioVsText;
    state.counters["memory_ratio_vs_text"] = memoryRatioVsText;
    state.counters["goals_met"] =
        timeRatioVsText <= kTimeGoal && memoryRatioVsText <= kMemoryGoal ? 1 : 0;
}
BENCHMARK(BM_StartUpBesideABareWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], kChildFlag, std::strlen(kChildFlag)) == 0)
        return runChild(argv[1] + std::strlen(kChildFlag) + 1, argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
