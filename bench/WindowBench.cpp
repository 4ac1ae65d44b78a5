// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the main window offscreen on a folder, as the app does with a folder
// argument, waits until both lists hold the folder's files and have been
// painted once, then quits. Run under /usr/bin/time for the peak memory of a
// window holding that folder:
//   QT_QPA_PLATFORM=offscreen window_bench FOLDER [TIMEOUT_SECONDS] [WORD...]
// With "repaints" it then runs a reload, a press of "OK" and a case switch,
// and prints how long each took and the longest time the window went
// without painting. "save" adds a save, which renames the folder's files;
// "press-save" runs only the press and the save, as a command line run
// does. "old-and-new" shows the lists as "Old and New Names" throughout.
#include "ui/dialogs/UserQuestions.h"
#include "ui/mainwindow/MainWindow.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace {

int rowsOf(const QWidget& window, const char* name) {
    const auto* view = window.findChild<QListView*>(QString::fromLatin1(name));
    return view && view->model() ? view->model()->rowCount() : 0;
}

// A pixel of the window that asks to be painted again each time it is: its
// paint events mark every moment the window could repaint.
class PaintProbe final : public QWidget {
public:
    PaintProbe(QWidget* window, const QElapsedTimer& clock)
        : QWidget(window)
        , m_clock(clock) {
        setGeometry(0, 0, 1, 1);
        show();
        raise();
    }
    std::vector<qint64> times;

protected:
    void paintEvent(QPaintEvent*) override {
        times.push_back(m_clock.nsecsElapsed());
        update();
    }

private:
    const QElapsedTimer& m_clock;
};

// Lets the event loop run for a moment, painting what is due.
void settle() {
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs command until the window has taken its result and prints its time,
// the moments the window could repaint during it and the longest stretch
// without one, from its start to its end.
void measure(quillon::MainWindow& window, const char* label, PaintProbe& log,
             const QElapsedTimer& clock, const std::function<void()>& command) {
    settle();
    log.times.clear();
    QEventLoop untilDone;
    const auto finished = QObject::connect(&window, &quillon::MainWindow::commandFinished,
                                           &untilDone, &QEventLoop::quit, Qt::QueuedConnection);
    const qint64 start = clock.nsecsElapsed();
    command();
    if (window.isWorking())
        untilDone.exec();
    const qint64 end = clock.nsecsElapsed();
    QObject::disconnect(finished);
    std::vector<qint64> marks{start};
    marks.insert(marks.end(), log.times.begin(), log.times.end());
    marks.push_back(end);
    qint64 longest = 0;
    qint64 from = start;
    for (std::size_t i = 1; i < marks.size(); ++i) {
        if (marks[i] - marks[i - 1] > longest) {
            longest = marks[i] - marks[i - 1];
            from = marks[i - 1];
        }
    }
    std::printf("%-24s %6.0f ms, %4zu repaints, longest without: %5.0f ms (from %.0f ms)\n", label,
                static_cast<double>(end - start) / 1e6, log.times.size(),
                static_cast<double>(longest) / 1e6, static_cast<double>(from - start) / 1e6);
}

// Says "Yes" to the save without a box.
class SayYes final : public quillon::UserQuestions {
public:
    bool confirmSave(QWidget*, bool&) override { return true; }
    void tell(QWidget*, quillon::MessageKind, const QString& text) override {
        std::fprintf(stderr, "told: %s\n", qPrintable(text));
    }
};

// What the words after the folder and the timeout ask for.
struct Run {
    bool repaints = false;
    bool save = false;
    bool pressAndSaveOnly = false;
    bool oldAndNew = false;
};

Run runOf(int argc, char* argv[]) {
    Run run;
    for (int i = 3; i < argc; ++i) {
        const std::string_view word = argv[i];
        run.save = run.save || word == "save" || word == "press-save";
        run.pressAndSaveOnly = run.pressAndSaveOnly || word == "press-save";
        run.oldAndNew = run.oldAndNew || word == "old-and-new";
        run.repaints = run.repaints || word == "repaints" || run.save;
    }
    return run;
}

void measureRepaints(quillon::MainWindow& window, const QElapsedTimer& clock, const Run& run) {
    PaintProbe log(&window, clock);
    const struct {
        const char* label;
        std::function<void()> command;
    } commands[] = {
        {"reload",
         [&] {
             window.load();
         }},
        {"press of OK",
         [&] {
             window.findChild<QLineEdit*>(QStringLiteral("Replace_From"))
                 ->setText(QStringLiteral("song"));
             window.findChild<QLineEdit*>(QStringLiteral("Replace_To"))
                 ->setText(QStringLiteral("Tune"));
             window.applyOperation();
         }},
        {"case switch to upper",
         [&] {
             window.findChild<QRadioButton*>(QStringLiteral("Case_Upper"))->click();
         }},
        {"case switch to smart",
         [&] {
             window.findChild<QRadioButton*>(QStringLiteral("Case_Smart"))->click();
         }},
    };
    for (const auto& c : commands) {
        if (!run.pressAndSaveOnly || std::strcmp(c.label, "press of OK") == 0)
            measure(window, c.label, log, clock, c.command);
    }
    if (run.save) {
        window.setQuestions(std::make_shared<SayYes>());
        measure(window, "save", log, clock, [&] { window.save(); });
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench FOLDER [TIMEOUT_SECONDS] "
                             "[repaints|save|press-save] [old-and-new]\n");
        return 2;
    }
    const int timeoutMs = (argc > 2 ? std::max(1, std::atoi(argv[2])) : 600) * 1000;
    const Run run = runOf(argc, argv);
    QElapsedTimer clock;
    clock.start();
    quillon::PosixFileSystem disk;
    quillon::MainWindow window(QByteArray(argv[1]), disk);
    if (run.oldAndNew)
        window.findChild<QAction*>(QStringLiteral("MainMenu_View_OldAndNew"))->setChecked(true);
    window.show();

    // The window loads the folder once it is up; poll until it has.
    QTimer poll;
    int exitCode = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const int rows = rowsOf(window, "FileBox_Preview");
        const bool loaded =
            rows > 0 && rows == rowsOf(window, "FileList_Folder") && !window.isWorking();
        if (!loaded && clock.elapsed() < timeoutMs)
            return;
        poll.stop();
        window.grab(); // one full paint, as on screen
        std::printf("rows: %d, window loaded and painted in %lld ms\n", rows,
                    static_cast<long long>(clock.elapsed()));
        exitCode = loaded ? 0 : 1;
        if (loaded && run.repaints)
            measureRepaints(window, clock, run);
        app.quit();
    });
    poll.start(20);
    app.exec();
    return exitCode;
}
