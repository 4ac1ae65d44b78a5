#include "ui/TForm1.h"
#include "workspace/PosixFileSystem.h"

#include "quillon/Version.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quillon::kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(quillon::kApplicationVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quillon::kApplicationId));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/org.quillon.Quillon-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    // The folder argument is taken as raw bytes; Qt's own argument list
    // would decode it.
    const QByteArray folder = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    quillon::PosixFileSystem disk;
    quillon::TForm1 window(folder, disk);
    window.show();
    return app.exec();
}
