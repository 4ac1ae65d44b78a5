// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the main window offscreen on a folder, as the app does with a folder
// argument, waits until both lists hold the folder's files and have been
// painted once, then quits. Run under /usr/bin/time for the peak memory of a
// window holding that folder:
//   QT_QPA_PLATFORM=offscreen window_bench FOLDER [TIMEOUT_SECONDS]
#include "ui/TForm1.h"
#include "workspace/PosixFileSystem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

int rowsOf(const QWidget& window, const char* name) {
    const auto* view = window.findChild<QListView*>(QString::fromLatin1(name));
    return view && view->model() ? view->model()->rowCount() : 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench FOLDER [TIMEOUT_SECONDS]\n");
        return 2;
    }
    const int timeoutMs = (argc > 2 ? std::max(1, std::atoi(argv[2])) : 600) * 1000;
    QElapsedTimer clock;
    clock.start();
    quillon::PosixFileSystem disk;
    quillon::TForm1 window(QByteArray(argv[1]), disk);
    window.show();

    // The window loads the folder once it is up; poll until it has.
    QTimer poll;
    int exitCode = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const int rows = rowsOf(window, "FileBox_Preview");
        const bool loaded = rows > 0 && rows == rowsOf(window, "FileList_Folder");
        if (!loaded && clock.elapsed() < timeoutMs)
            return;
        window.grab(); // one full paint, as on screen
        std::printf("rows: %d, window loaded and painted in %lld ms\n", rows,
                    static_cast<long long>(clock.elapsed()));
        exitCode = loaded ? 0 : 1;
        app.quit();
    });
    poll.start(20);
    app.exec();
    return exitCode;
}
