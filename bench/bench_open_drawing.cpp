// A scripted run of the desktop program on a large drawing: the time from the open command to
// the first paint of the canvas that shows the drawing, and how long input waits while the
// automatic optimisation runs. Input is a mouse move over the canvas posted every 20 ms from a
// thread of its own, so that its wait is measured from the moment it was sent, not from when the
// interface thread found time to send it. Meant for a real display (xvfb-run), not offscreen.
//   bench_open_drawing <drawing> [screenshot.png]
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "app/commands.h"
#include "app/language.h"
#include "app/main_window.h"
#include "view/canvas.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Times the canvas's paints and the posted moves: a paint ends when the canvas has handled it; a
// move waits from its posting until the canvas has handled it.
class Probe : public QObject {
  public:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Paint && !inside_) {
            inside_ = true;
            target->event(event);
            inside_ = false;
            if (armed && firstPaint == Clock::time_point()) firstPaint = Clock::now();
            // The import itself may flush a paint; the view fitted to the drawing is painted
            // once the command has returned.
            if (returned && fittedPaint == Clock::time_point()) fittedPaint = Clock::now();
            return true;
        }
        if (event->type() == QEvent::MouseMove && event->spontaneous() == false) {
            const std::lock_guard lock(mutex);
            if (!posted.empty()) {
                const Clock::time_point sent = posted.front();
                posted.erase(posted.begin());
                target->event(event);
                if (measuring) {
                    // Moves handled once the optimised drawing is in place waited for its
                    // arrival (the program and the picture of the new drawing).
                    const double wait = millisecondsBetween(sent, Clock::now());
                    (window->optimising() ? waits : replacementWaits).push_back(wait);
                }
                return true;
            }
        }
        return false;
    }

    bool armed = false;
    Clock::time_point opened;
    Clock::time_point firstPaint;
    bool returned = false;
    Clock::time_point fittedPaint;
    std::mutex mutex;
    std::vector<Clock::time_point> posted;
    std::vector<double> waits;
    std::vector<double> replacementWaits;
    const pathloom::app::MainWindow* window = nullptr;
    std::atomic<bool> measuring{false};

  private:
    bool inside_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s drawing [screenshot.png]\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    pathloom::app::useLanguage(pathloom::Language::Chinese);
    QTemporaryDir folder;
    pathloom::app::WindowOptions options;
    const std::string settings = folder.filePath(QStringLiteral("Setting.ini")).toStdString();
    options.settings = {settings, settings};
    pathloom::app::MainWindow window(options);
    window.resize(1280, 800);
    window.show();

    Probe probe;
    probe.window = &window;
    QWidget* canvas = window.canvas();
    canvas->installEventFilter(&probe);
    const QString drawing = QString::fromLocal8Bit(argv[1]);
    const QString screenshot = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    std::atomic<bool> sending{true};
    std::thread sender;
    Clock::time_point opened, imported, optimised;
    double editMs = 0, undoMs = 0;
    bool shot = false;

    QTimer::singleShot(500, [&] {
        probe.armed = true;
        opened = probe.opened = Clock::now();
        window.openFile(drawing);
        imported = Clock::now();
        probe.returned = true;
        probe.measuring = true;
        sender = std::thread([&] {
            int step = 0;
            while (sending) {
                const QPointF at(200 + (step++ % 50) * 4, 300);
                {
                    const std::lock_guard lock(probe.mutex);
                    probe.posted.push_back(Clock::now());
                }
                QCoreApplication::postEvent(
                    canvas, new QMouseEvent(QEvent::MouseMove, at, canvas->mapToGlobal(at),
                                            Qt::NoButton, Qt::NoButton, Qt::NoModifier));
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        auto* watch = new QTimer(&window);
        QObject::connect(watch, &QTimer::timeout, [&, watch] {
            if (!shot && !screenshot.isEmpty() && window.optimising() &&
                millisecondsBetween(opened, Clock::now()) > 2000) {
                window.grab().save(screenshot);
                shot = true;
            }
            if (!window.optimising()) {
                optimised = Clock::now();
                probe.measuring = false;
                watch->stop();
                // An edit of every shape and its undo, each with the copy the history keeps.
                QTimer::singleShot(300, [&] {
                    Lintrel_SelectAll(window.document().drawing());
                    window.showSelectionInCode();
                    const Clock::time_point from = Clock::now();
                    window.action(pathloom::app::Command::Reverse)->trigger();
                    const Clock::time_point edited = Clock::now();
                    window.action(pathloom::app::Command::Undo)->trigger();
                    editMs = millisecondsBetween(from, edited);
                    undoMs = millisecondsBetween(edited, Clock::now());
                    QCoreApplication::quit();
                });
            }
        });
        watch->start(10);
    });
    application.exec();
    sending = false;
    if (sender.joinable()) sender.join();

    std::vector<double> waits = probe.waits;
    std::sort(waits.begin(), waits.end());
    const auto at = [&](double share) {
        return waits.empty()
                   ? 0.0
                   : waits[std::min(waits.size() - 1, static_cast<size_t>(share * waits.size()))];
    };
    std::printf("drawing:                       %s\n", argv[1]);
    std::printf("open command to import done:   %8.0f ms\n", millisecondsBetween(opened, imported));
    std::printf("open command to first paint:   %8.0f ms\n",
                millisecondsBetween(opened, probe.firstPaint));
    std::printf("open command to fitted paint:  %8.0f ms\n",
                millisecondsBetween(opened, probe.fittedPaint));
    std::printf("open command to optimised:     %8.0f ms\n",
                millisecondsBetween(opened, optimised));
    std::printf(
        "input waits while it runs:      %zu moves, median %.1f ms, 99%% %.1f ms, "
        "longest %.1f ms\n",
        waits.size(), at(0.5), at(0.99), waits.empty() ? 0.0 : waits.back());
    std::vector<double> late = probe.replacementWaits;
    std::sort(late.begin(), late.end());
    std::printf("input waits at the replacement: %zu moves, longest %.1f ms\n", late.size(),
                late.empty() ? 0.0 : late.back());
    std::printf("Reverse of every shape:         %8.0f ms, its undo %.0f ms\n", editMs, undoMs);
    std::printf("status at the end:             %s\n", window.paneText(0).toUtf8().constData());
    return 0;
}
