// Renders the main window on a sample folder into a PNG, without a display:
//   QT_QPA_PLATFORM=offscreen quillon_screenshot OUT.png
#include "ui/TForm1.h"
#include "workspace/PosixFileSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString out = QFile::decodeName(argv[1]);
    QTemporaryDir dir;
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
        QFile file(dir.filePath(QString::fromUtf8(name)));
        file.open(QIODevice::WriteOnly);
    }
    quillon::PosixFileSystem disk;
    quillon::TForm1 window(QFile::encodeName(dir.path()), disk);
    window.resize(760, 520);
    window.show();
    QTimer::singleShot(300, [&] {
        window.findChild<QLineEdit*>(QStringLiteral("Replace_From"))
            ->setText(QStringLiteral("/1/ - /2/"));
        window.findChild<QLineEdit*>(QStringLiteral("Replace_To"))
            ->setText(QStringLiteral("/2/ - /1/"));
        window.grab().save(out);
        app.quit();
    });
    return app.exec();
}
