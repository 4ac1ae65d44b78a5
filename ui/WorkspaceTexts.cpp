#include "ui/WorkspaceTexts.h"

#include "ui/NameText.h"

#include <QCoreApplication>

namespace quillon {

namespace {

// The workspace writes its messages in English; these are their fixed parts,
// as the workspace words them, for the translators' tools.
[[maybe_unused]] constexpr const char* kTexts[] = {
    QT_TRANSLATE_NOOP("quillon::Workspace", "No files to save."),
    QT_TRANSLATE_NOOP("quillon::Workspace",
                      "Folder.items.count <> Preview.items.count\n\nChanges cannot be saved. "
                      "Click Reload."),
    QT_TRANSLATE_NOOP("quillon::Workspace",
                      "Not ready yet. Proceed when\nthe \"Save\" is enabled.\n"),
    QT_TRANSLATE_NOOP("quillon::Workspace", "Duplicate file names found:"),
    QT_TRANSLATE_NOOP("quillon::Workspace", "Invalid file name found:"),
    QT_TRANSLATE_NOOP("quillon::Workspace", "Nothing written to disk."),
    QT_TRANSLATE_NOOP("quillon::Workspace",
                      "cannot be renamed because it is currently used by\nanother program."),
    QT_TRANSLATE_NOOP("quillon::Workspace", "could not be renamed."),
    QT_TRANSLATE_NOOP("quillon::Workspace",
                      "The undo file could not be written.\n\nNo file was renamed."),
    QT_TRANSLATE_NOOP("quillon::Workspace",
                      "The undo file could not be rewritten after renaming.\n\nThe renames that "
                      "were done cannot be undone with it."),
};

QString translate(const QString& english) {
    return QCoreApplication::translate("quillon::Workspace", english.toUtf8().constData());
}

} // namespace

QString workspaceText(NameView message) {
    const QString text = toDisplayString(message);
    // "HEAD\n > NAME\n\nTAIL": the head holds no "\n > ", the tail no "\n\n",
    // whatever the name holds.
    const QString nameMark = QStringLiteral("\n > ");
    const QString tailMark = QStringLiteral("\n\n");
    const qsizetype nameAt = text.indexOf(nameMark);
    const qsizetype tailAt = text.lastIndexOf(tailMark);
    if (nameAt >= 0 && tailAt > nameAt) {
        return translate(text.left(nameAt)) + text.mid(nameAt, tailAt + 2 - nameAt) +
               translate(text.mid(tailAt + 2));
    }
    // "\"NAME\"\nTAIL", where the tail holds no "\"\n".
    const QString quoteEnd = QStringLiteral("\"\n");
    const qsizetype quoteAt = text.lastIndexOf(quoteEnd);
    if (text.startsWith(QLatin1Char('"')) && quoteAt > 0)
        return text.left(quoteAt + 2) + translate(text.mid(quoteAt + 2));
    return translate(text);
}

} // namespace quillon
