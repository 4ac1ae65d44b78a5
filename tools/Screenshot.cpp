// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window on a sample folder into a PNG, without a display:
//   QT_QPA_PLATFORM=offscreen quillon_screenshot [--dark] [--scale N] [--locale NAME] OUT.png
// --dark: Fusion with a dark palette, as a user's dark theme would give;
// --scale: the device pixel ratio of a high-density screen; --locale: the
// language of the texts (for example "de").
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/Translations.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

struct Options {
    bool dark = false;
    QByteArray scale;
    QString locale;
    QString out;
};

bool parse(int argc, char* argv[], Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--dark") == 0)
            options.dark = true;
        else if (std::strcmp(argv[i], "--scale") == 0 && hasValue)
            options.scale = argv[++i];
        else if (std::strcmp(argv[i], "--locale") == 0 && hasValue)
            options.locale = QString::fromLocal8Bit(argv[++i]);
        else if (argv[i][0] != '-' && options.out.isEmpty())
            options.out = QFile::decodeName(argv[i]);
        else
            return false;
    }
    return !options.out.isEmpty();
}

// The sample folder, "Music" inside a fresh temporary folder.
QString createSampleFolder(const QTemporaryDir& dir) {
    const QString folder = dir.filePath(QStringLiteral("Music"));
    QDir().mkpath(folder);
    const char* names[] = {
        "the beatles - 01 - come_together.mp3",
        "the beatles - 02 - something.mp3",
        "ABBA%20-%20dancing%20queen.MP3",
        "björk - all is full of love.flac",
        "sigur rós - hoppípolla.ogg",
        "dj shadow - building steam with a grain of salt.mp3",
        "r.e.m. - losing my religion.mp3",
        "o'connor - nothing compares 2 u.mp3",
        "made in the us - live at the bbc.mp3",
        "mötley crüe - kickstart my heart.mp3",
        "the lord of the rings - the return of the king.avi",
        "it's a man's world.mp3",
    };
    for (const char* name : names) {
        QFile file(QDir(folder).filePath(QString::fromUtf8(name)));
        file.open(QIODevice::WriteOnly);
    }
    return folder;
}

} // namespace

int main(int argc, char* argv[]) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs("usage: quillon_screenshot [--dark] [--scale N] [--locale NAME] OUT.png\n",
                   stderr);
        return 2;
    }
    // Read when the application starts: set before it.
    if (!options.scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", options.scale);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (options.dark)
        QApplication::setPalette(quillon::darkPalette());
    if (!options.locale.isEmpty()) {
        QLocale::setDefault(QLocale(options.locale));
        quillon::installTranslations(app, QLocale(options.locale));
    }

    QTemporaryDir dir;
    const QString folder = createSampleFolder(dir);
    quillon::PosixFileSystem disk;
    quillon::MainWindow window(QFile::encodeName(folder), disk);
    window.resize(760, 520);
    // Away from the window, so no button shows the mouse over it.
    QCursor::setPos(-100, -100);
    window.show();
    QTimer::singleShot(300, [&] {
        window.access().setReplaceText(QStringLiteral("/1/ - /2/"));
        window.access().setWithText(QStringLiteral("/2/ - /1/"));
        window.grab().save(options.out);
        app.quit();
    });
    return app.exec();
}
