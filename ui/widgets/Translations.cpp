// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace quillon {

namespace {

// Quillon's own translations are built into the program, so it finds them
// also when run from the build tree. An installed copy comes first, so a
// translator can try a new .qm without rebuilding.
QStringList quillonTranslationFolders() {
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.absoluteFilePath(QStringLiteral("../share/quillon/translations")),
            QStringLiteral(":/i18n")};
}

void load(QCoreApplication& app, const QLocale& locale, const QString& name,
          const QStringList& folders) {
    for (const QString& folder : folders) {
        auto translator = std::make_unique<QTranslator>(&app);
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator.release());
            return;
        }
    }
}

} // namespace

void installTranslations(QCoreApplication& app, const QLocale& locale) {
    load(app, locale, QStringLiteral("qtbase"),
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    // Quillon's texts are written in English: a user who puts English first
    // gets them as they are, not a translation for a later language.
    if (locale.uiLanguages().value(0).startsWith(QLatin1String("en")))
        return;
    load(app, locale, QStringLiteral("quillon"), quillonTranslationFolders());
}

} // namespace quillon
