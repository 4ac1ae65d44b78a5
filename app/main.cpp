// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/WindowSettings.h"
#include "ui/widgets/Translations.h"
#include "workspace/disk/PosixFileSystem.h"

#include "quillon/Version.h"

#include <QApplication>
#include <QIcon>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// False when the text did not reach its stream whole: a full disk is an
// error to report; a reader that went away (a closed pipe) is not, as with
// the core utilities.
bool print(std::FILE* stream, const QString& text) {
    errno = 0;
    const bool written =
        std::fputs(text.toLocal8Bit().constData(), stream) >= 0 && std::fflush(stream) == 0;
    return written || errno == EPIPE;
}

// Help and version need no display: a core application is enough to speak
// the user's language.
int answerWithoutWindow(int argc, char* argv[], quillon::CommandLineRequest request) {
    QCoreApplication app(argc, argv);
    if (request == quillon::CommandLineRequest::ResetSettings) {
        quillon::WindowSettings::forget();
        return 0;
    }
    quillon::installTranslations(app);
    if (print(stdout, request == quillon::CommandLineRequest::Help
                          ? quillon::CommandLine::helpText()
                          : quillon::CommandLine::versionText()))
        return 0;
    std::fprintf(stderr, "quillon: write error on standard output: %s\n", std::strerror(errno));
    return 1;
}

// Without a display QApplication would abort on any argument; an option is
// refused here with the same message a window's start gives it.
int refuseWithoutWindow(int argc, char* argv[], const QByteArray& option) {
    QCoreApplication app(argc, argv);
    quillon::installTranslations(app);
    (void)print(stderr, quillon::CommandLine::unknownOptionText(option));
    return 1;
}

void setUpApplication() {
    QApplication::setApplicationName(QString::fromLatin1(quillon::kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(quillon::kApplicationVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quillon::kApplicationId));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/org.quillon.Quillon-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
}

} // namespace

int main(int argc, char* argv[]) {
    const quillon::CommandLineRequest request = quillon::CommandLine::request(argc, argv);
    if (request != quillon::CommandLineRequest::Run)
        return answerWithoutWindow(argc, argv, request);
    if (const QByteArray option = quillon::CommandLine::optionWithoutDisplay(argc, argv);
        !option.isEmpty())
        return refuseWithoutWindow(argc, argv, option);

    // QApplication takes its own options (-style, -platform ...) out of argv.
    QApplication app(argc, argv);
    quillon::installTranslations(app);
    QByteArray unknownOption;
    // The paths are taken as raw bytes; Qt's own argument list would decode
    // them.
    const QList<QByteArray> paths = quillon::CommandLine::paths(argc, argv, unknownOption);
    if (!unknownOption.isEmpty()) {
        print(stderr, quillon::CommandLine::unknownOptionText(unknownOption));
        return 1;
    }
    setUpApplication();
    quillon::PosixFileSystem disk;
    quillon::MainWindow window(paths, disk);
    quillon::WindowSettings::restore(window);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&window] { quillon::WindowSettings::save(window); });
    window.show();
    return app.exec();
}
