#include "ui/TForm1.h"
#include "workspace/PosixFileSystem.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    // The folder argument is taken as raw bytes; Qt's own argument list
    // would decode it.
    const QByteArray folder = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    quillon::PosixFileSystem disk;
    quillon::TForm1 window(folder, disk);
    window.show();
    return app.exec();
}
