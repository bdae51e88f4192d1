// The editor left alone: a main window (offscreen, shown) with a cartridge image open, the
// palette animation running at its default pace on each page in turn, then with the stage
// overview open showing every room, then with no image open. Each row reports the CPU time
// the process used per second of wall time and how many timer events woke it per second.
//   bench_idle CARTRIDGE [SECONDS]      (run where fcpalette.pal is; SECONDS per row, 10)
#include "ScriptedPrompt.h"
#include "mainform.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

/// Counts the timer events delivered anywhere in the program.
class TimerEventCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Timer)
            ++Count;
        return false;
    }
};

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double WallSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void Idle(const char *name, int seconds, TimerEventCounter &counter) {
    // What the last change left to do (the first paint of a page) is not idle time.
    QApplication::processEvents();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    const int timersBefore = counter.Count;
    const double cpuBefore = CpuSeconds();
    const double wallBefore = WallSeconds();
    loop.exec();
    const double wall = WallSeconds() - wallBefore;
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("%-44s %7.3f %% of a core  %7.1f timer events/s  (goal <= 0.5 %%)\n", name,
                100.0 * cpu / wall, (counter.Count - timersBefore - 1) / wall);
}

QByteArray LoadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').value(0) : QByteArray("?");
}

template <typename T> T *Child(QObject &parent, const char *name) {
    return parent.findChild<T *>(QString::fromLatin1(name));
}

int Run(const QString &cartridge, int seconds) {
    QTemporaryDir programDir;
    ScriptedPrompt prompt;
    TMainForm form(prompt, programDir.path());
    if (form.StartupFailed()) {
        std::fprintf(stderr, "the editor did not start (is fcpalette.pal here?)\n");
        return 1;
    }
    form.show();
    TimerEventCounter counter;
    qApp->installEventFilter(&counter);
    form.OpenChosenFile(cartridge);
    auto *pages = Child<QTabWidget>(form, "EditPageControl");
    if (!pages || form.windowTitle().isEmpty() || !prompt.Errors.isEmpty()) {
        std::fprintf(stderr, "the cartridge did not open\n");
        return 1;
    }
    std::printf("Idle editor, %d s a row, animation at its default pace (load average %s)\n",
                seconds, LoadAverage().constData());
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        const QString name =
            QStringLiteral("animation on the page ") + pages->widget(page)->objectName();
        Idle(name.toUtf8().constData(), seconds, counter);
    }

    pages->setCurrentIndex(0);
    Child<QAction>(form, "StageOverview1")->trigger();
    auto *overview = Child<QWidget>(form, "StageOverviewForm");
    // Every room in view: eight to a row at a quarter of their size.
    constexpr int Columns = 8;
    constexpr int RoomPixels = 64;
    Child<QSpinBox>(*overview, "SpinOverviewColumns")->setValue(Columns);
    for (int step = 0; step < 3; ++step)
        Child<QPushButton>(*overview, "BtnOverviewZoomOut")->click();
    QApplication::processEvents();
    const QSize viewSize =
        Child<QAbstractScrollArea>(*overview, "ViewOverview")->viewport()->size();
    overview->resize(overview->size() - viewSize +
                     QSize(Columns, RoomCount / Columns) * RoomPixels);
    Idle("animation with the overview open, all rooms", seconds, counter);
    overview->close();

    prompt.SaveAnswers = {SaveAnswer::No};
    Child<QAction>(form, "Close1")->trigger();
    Idle("no image open", seconds, counter);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: bench_idle CARTRIDGE [SECONDS]\n");
        return 2;
    }
    const int seconds = arguments.size() > 2 ? std::max(1, arguments[2].toInt()) : 10;
    return Run(arguments[1], seconds);
}
