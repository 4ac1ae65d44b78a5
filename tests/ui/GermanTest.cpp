// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/SaveConfirmDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/widgets/Translations.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <map>

using namespace quillon;

namespace {

// The letter after a single "&", or 0 when the text has no mnemonic.
QChar mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return QChar();
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression argument(QStringLiteral("%[0-9]+"));
    QStringList out;
    for (const QRegularExpressionMatch& m : argument.globalMatch(text))
        out << m.captured();
    out.sort();
    return out;
}

struct Message {
    QString context;
    QString source;
    QString translation;
};

QList<Message> readMessages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<Message> out;
    QString context;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            out.append({context, xml.readElementText(), QString()});
        else if (xml.name() == QLatin1String("translation") && !out.isEmpty())
            out.last().translation = xml.readElementText();
    }
    return out;
}

} // namespace

// The program under a German locale, and the German translation itself.
class GermanTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windowSpeaksGerman();
    void menusHaveOneMnemonicPerLetter();
    void saveConfirmationSpeaksGerman();
    void qtOwnTextsSpeakGerman();
    void saveMessagesKeepTheirNames_data();
    void saveMessagesKeepTheirNames();
    void translationsKeepPlaceholdersMnemonicsAndParagraphs();
    void wordsAndRawTextsReadAsGerman_data();
    void wordsAndRawTextsReadAsGerman();
    void translationsQuoteGermanAndNameTheUndoFileOneWay();

private:
    QTemporaryDir m_dir;
    PosixFileSystem m_disk;
    std::unique_ptr<MainWindow> m_window;
};

void GermanTest::initTestCase() {
    installTranslations(*QCoreApplication::instance(), QLocale(QLocale::German, QLocale::Germany));
    m_window = std::make_unique<MainWindow>(QFile::encodeName(m_dir.path()), m_disk);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(m_window->state().started);
    QTRY_VERIFY(!m_window->isWorking());
}

void GermanTest::cleanupTestCase() {
    m_window.reset();
}

void GermanTest::windowSpeaksGerman() {
    QCOMPARE(m_window->findChild<QMenu*>(QStringLiteral("MainMenu_File"))->title(),
             QStringLiteral("&Datei"));
    QCOMPARE(m_window->findChild<QCheckBox*>(QStringLiteral("DisplayPreview_CB"))->text(),
             QStringLiteral("Vorschau"));
    QCOMPARE(m_window->findChild<QPushButton*>(QStringLiteral("Replace_Undo_Button"))->text(),
             QStringLiteral("Rückgängig"));
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("Replace_From"))
                ->toolTip()
                .startsWith(QStringLiteral("Geben Sie den Suchtext ein.")));
}

void GermanTest::menusHaveOneMnemonicPerLetter() {
    QList<QList<QString>> groups;
    QList<QString> topLevel;
    for (const char* name : {"MainMenu_File", "MainMenu_View", "MainMenu_Select", "MainMenu_Help"})
        topLevel << m_window->findChild<QMenu*>(QString::fromLatin1(name))->title();
    groups << topLevel;
    for (const QMenu* menu : m_window->findChildren<QMenu*>()) {
        QList<QString> entries;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                entries << action->text();
        groups << entries;
    }
    for (const QList<QString>& entries : groups) {
        std::map<QChar, QString> seen;
        for (const QString& text : entries) {
            const QChar letter = mnemonic(text);
            if (letter.isNull())
                continue;
            const auto [at, fresh] = seen.emplace(letter, text);
            QVERIFY2(fresh, qPrintable(at->second + QStringLiteral(" / ") + text));
        }
    }
}

void GermanTest::saveConfirmationSpeaksGerman() {
    bool createUndoFile = true;
    SaveConfirmDialog dialog(createUndoFile, m_window.get());
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("StaticText1"))->text(),
             QStringLiteral("Möchten Sie diese Dateien umbenennen?"));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->text(),
             QStringLiteral("Ja"));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->text(),
             QStringLiteral("Nein"));
}

void GermanTest::qtOwnTextsSpeakGerman() {
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
}

void GermanTest::saveMessagesKeepTheirNames_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("german");
    QTest::newRow("fixed") << "No files to save."
                           << ""
                           << "Keine Dateien zu speichern.";
    QTest::newRow("name inside") << "Duplicate file names found:\n > %1\n\nNothing written to disk."
                                 << "b.mp3"
                                 << "Doppelte Dateinamen gefunden:\n > b.mp3\n\n"
                                    "Es wurde nichts auf den Datenträger geschrieben.";
    // Names may hold the very marks the messages are put together with.
    QTest::newRow("name with marks")
        << "Invalid file name found:\n > %1\n\nNothing written to disk."
        << "a\n > b\n\nc"
        << "Ungültiger Dateiname gefunden:\n > a\n > b\n\nc\n\n"
           "Es wurde nichts auf den Datenträger geschrieben.";
}

void GermanTest::saveMessagesKeepTheirNames() {
    QFETCH(QString, message);
    QFETCH(QString, name);
    QFETCH(QString, german);
    QString text =
        QCoreApplication::translate("quillon::DiskMessages", message.toUtf8().constData());
    if (!name.isEmpty())
        text = text.arg(name);
    QCOMPARE(text, german);
}

void GermanTest::translationsKeepPlaceholdersMnemonicsAndParagraphs() {
    const QList<Message> messages = readMessages(QStringLiteral(QUILLON_GERMAN_TS));
    QVERIFY(messages.size() > 100);
    const QString paragraph = QStringLiteral("\n\n");
    for (const Message& m : messages) {
        const QString where = m.context + QStringLiteral(": ") + m.source;
        QVERIFY2(!m.translation.isEmpty(), qPrintable(where));
        QVERIFY2(placeholders(m.source) == placeholders(m.translation), qPrintable(where));
        QVERIFY2(mnemonic(m.source).isNull() == mnemonic(m.translation).isNull(),
                 qPrintable(where));
        QVERIFY2(m.source.count(paragraph) == m.translation.count(paragraph), qPrintable(where));
        QVERIFY2(m.source.endsWith(QLatin1Char('\n')) == m.translation.endsWith(QLatin1Char('\n')),
                 qPrintable(where));
    }
}

void GermanTest::wordsAndRawTextsReadAsGerman_data() {
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("german");
    const struct {
        const char* context;
        const char* source;
        const char* german;
    } rows[] = {
        {"quillon::CaseGroup", "Case", "Groß-/Kleinschreibung"},
        {"quillon::CaseGroup", "First letters", "Wortanfänge groß"},
        {"quillon::CaseGroup", "Lowercase", "Kleinbuchstaben"},
        {"quillon::CaseGroup", "Uppercase", "Großbuchstaben"},
        {"quillon::CaseGroup", "Always capitalize:", "Immer großschreiben:"},
        {"quillon::CaseGroup", "Most first letters", "Die meisten Wortanfänge"},
        {"quillon::CaseGroup", "Up to last delimiters", "Bis zu den letzten Trennzeichen"},
        {"quillon::ReplaceGroup", "Case sensitive", "Groß-/Kleinschreibung beachten"},
        {"quillon::ReplaceGroup", "Cumulate", "Kumulieren"},
        {"quillon::WizardReformatPage", "(None)", "(Keines)"},
        {"quillon::MainMenus", "&Undo Last Save", "&Letztes Speichern rückgängig machen"},
        {"quillon::SaveConfirmDialog", "Create an undo file.", "Ein Rückgängig-Skript anlegen."},
        // Texts that once showed as they were written in the code.
        {"quillon::DiskMessages",
         "Folder.items.count <> Preview.items.count\n\nChanges cannot be saved. Click Reload.",
         "Die Ordnerliste und die Vorschauliste stimmen nicht überein.\n\n"
         "Die Änderungen können nicht gespeichert werden. Klicken Sie auf „Neu laden“."},
        {"quillon::wizard", "CL", "Leeren"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.source) << QString::fromUtf8(row.context) << QString::fromUtf8(row.source)
                                  << QString::fromUtf8(row.german);
}

void GermanTest::wordsAndRawTextsReadAsGerman() {
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, german);
    QCOMPARE(QCoreApplication::translate(context.toUtf8().constData(), source.toUtf8().constData()),
             german);
}

void GermanTest::translationsQuoteGermanAndNameTheUndoFileOneWay() {
    const QList<Message> messages = readMessages(QStringLiteral(QUILLON_GERMAN_TS));
    QVERIFY(!messages.isEmpty());
    for (const Message& m : messages) {
        const QString where = m.context + QStringLiteral(": ") + m.source;
        QVERIFY2(!m.translation.contains(QLatin1Char('"')), qPrintable(where));
        QVERIFY2(m.translation.count(QStringLiteral("„")) ==
                     m.translation.count(QStringLiteral("“")),
                 qPrintable(where));
        if (m.source.contains(QLatin1String("undo file")))
            QVERIFY2(m.translation.contains(QStringLiteral("Rückgängig-Skript")),
                     qPrintable(where));
        QVERIFY2(!m.translation.contains(QStringLiteral("Rückgängig-Datei")), qPrintable(where));
    }
}

QTEST_MAIN(GermanTest)
#include "GermanTest.moc"
