#include "workspace/Workspace.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"
#include "workspace/NotReadyScope.h"
#include "workspace/SaveChecks.h"
#include "workspace/UndoScript.h"

#include <cerrno>

namespace quillon {

namespace {

Name refusalAbout(NameView head, NameView name) {
    Name text(head);
    text += U"\n > ";
    text += name;
    text += U"\n\nNothing written to disk.";
    return text;
}

Name failureMessage(NameView oldName, int error) {
    Name text = U"\"";
    text += oldName;
    text += U"\"\n";
    // Linux has no sharing violation; a busy file is the nearest thing.
    text += (error == EBUSY || error == ETXTBSY)
                ? U"cannot be renamed because it is currently used by\nanother program."
                : U"could not be renamed.";
    return text;
}

// A list of names as disk bytes in one buffer: 100,000 names one by one
// would cost a save more time in allocation than in checking.
class ByteNames final {
public:
    void reserve(std::size_t count) {
        m_ends.reserve(count);
        m_bytes.reserve(count * 48);
    }
    void add(NameView name) {
        appendEncoded(m_bytes, name);
        m_ends.push_back(m_bytes.size());
    }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_bytes).substr(begin, m_ends[i] - begin);
    }
    std::vector<std::string_view> views() const {
        std::vector<std::string_view> out;
        out.reserve(m_ends.size());
        for (std::size_t i = 0; i < m_ends.size(); ++i)
            out.push_back((*this)[i]);
        return out;
    }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
};

bool equalIgnoringCase(NameView a, NameView b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        // Case-changing saves differ in most letters; most of them are ASCII.
        if (a[i] < 0x80 && b[i] < 0x80) {
            if (toLowerAscii(a[i]) != toLowerAscii(b[i]))
                return false;
        } else if (foldSimple(a[i]) != foldSimple(b[i])) {
            return false;
        }
    }
    return true;
}

// Everything one save works from, fixed before the first question: a modal
// box lets events run, and the lists may not change under the loop.
struct SavePlan {
    std::string folder;
    ByteNames oldNames;
    ByteNames newNames;
    /// Indices whose name changes, in list order.
    std::vector<std::size_t> changing;
    std::vector<bool> caseOnly;
};

std::string undoText(const SavePlan& plan, const std::vector<std::size_t>& indices) {
    std::vector<UndoRename> renames;
    renames.reserve(indices.size());
    for (const std::size_t i : indices)
        renames.push_back(UndoRename{plan.newNames[i], plan.oldNames[i], plan.caseOnly[i]});
    return undoScriptText(renames);
}

} // namespace

SaveResult Workspace::save(NameView mask, const SaveCallbacks& ask) {
    SaveResult result;
    auto tell = [&ask](MessageKind kind, NameView text) {
        if (ask.tell)
            ask.tell(kind, text);
    };
    const std::size_t count = m_folder.names.size();
    if (count == 0) {
        tell(MessageKind::Plain, U"No files to save.");
        return result;
    }
    if (m_preview.size() != count) {
        tell(MessageKind::Error, U"Folder.items.count <> Preview.items.count\n\nChanges cannot "
                                 U"be saved. Click Reload.");
        return result;
    }
    if (!m_previewReady) {
        tell(MessageKind::Plain, U"Not ready yet. Proceed when\nthe \"Save\" is enabled.\n");
        return result;
    }

    SavePlan plan;
    plan.folder = m_folder.directory;
    plan.oldNames.reserve(count);
    plan.newNames.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        plan.oldNames.add(m_folder.names[i]);
        plan.newNames.add(m_preview[i].name);
    }
    // Compared as bytes: two names that encode alike are one name on disk.
    if (const auto pair = firstDuplicate(plan.newNames.views())) {
        tell(MessageKind::Error,
             refusalAbout(U"Duplicate file names found:", m_preview[pair->first].name));
        return result;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!isValidNewName(plan.newNames[i])) {
            tell(MessageKind::Error, refusalAbout(U"Invalid file name found:", m_preview[i].name));
            return result;
        }
    }

    bool createUndoFile = true;
    if (!ask.confirm || !ask.confirm(createUndoFile)) {
        result.status = SaveStatus::Cancelled;
        return result;
    }

    plan.caseOnly.assign(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        if (plan.oldNames[i] == plan.newNames[i])
            continue;
        plan.changing.push_back(i);
        plan.caseOnly[i] = equalIgnoringCase(m_folder.names[i], m_preview[i].name);
    }

    // An old script names renames of an earlier save; it must go either way.
    m_fs.removeFile(plan.folder, kUndoScriptName);
    // A script without a line would only delete itself.
    const bool writeScript = createUndoFile && !plan.changing.empty();
    if (writeScript &&
        m_fs.createFile(plan.folder, kUndoScriptName, undoText(plan, plan.changing)) != 0) {
        tell(MessageKind::Error, U"The undo file could not be written.\n\nNo file was renamed.");
        result.status = SaveStatus::UndoFileFailed;
        return result;
    }

    dropUndo();
    std::vector<std::size_t> done;
    {
        NotReadyScope notReady(m_previewReady);
        if (ask.renaming)
            ask.renaming(true);
        int shownPercent = 0;
        std::size_t h = 0;
        for (; h < count && !result.aborted; ++h) {
            if (plan.oldNames[h] != plan.newNames[h]) {
                for (;;) {
                    const int err =
                        m_fs.renameNoReplace(plan.folder, plan.oldNames[h], plan.newNames[h]);
                    if (err == 0) {
                        done.push_back(h);
                        break;
                    }
                    const RenameFailureChoice choice =
                        ask.renameFailed
                            ? ask.renameFailed(
                                  {h, err, failureMessage(decodeName(plan.oldNames[h]), err)})
                            : RenameFailureChoice::Skip;
                    if (choice == RenameFailureChoice::Retry)
                        continue;
                    result.notRenamed.push_back(h);
                    result.aborted = choice == RenameFailureChoice::Abort;
                    break;
                }
            }
            if (!result.aborted && count >= 2) {
                const int percent = static_cast<int>(h * 100 / (count - 1));
                if (percent != shownPercent && ask.progress)
                    ask.progress(percent);
                shownPercent = percent;
            }
        }
        for (; h < count; ++h) {
            if (plan.oldNames[h] != plan.newNames[h])
                result.notRenamed.push_back(h);
        }
        if (ask.renaming)
            ask.renaming(false);
    }
    result.renamed = done.size();

    // The script written first also names renames that never happened; run
    // as it is, such a line could move an unrelated file that now holds a
    // new name onto an old name that has since become free.
    bool rewriteFailed = false;
    if (writeScript && done.size() != plan.changing.size()) {
        m_fs.removeFile(plan.folder, kUndoScriptName);
        if (!done.empty())
            rewriteFailed =
                m_fs.createFile(plan.folder, kUndoScriptName, undoText(plan, done)) != 0;
    }

    result.status = SaveStatus::Saved;
    result.reloadError = reload(plan.folder, mask).error;
    if (rewriteFailed)
        tell(MessageKind::Error, U"The undo file could not be rewritten after renaming.\n\nThe "
                                 U"renames that were done cannot be undone with it.");
    return result;
}

void Workspace::renameEntry(std::size_t index, NameView name, bool updateCase) {
    if (index >= m_preview.size())
        return;
    m_preview[index].name = Name(name);
    dropUndo();
    if (updateCase) {
        NotReadyScope notReady(m_previewReady);
        m_preview[index].name = applyCaseMode(m_preview[index].name, m_caseMode, m_smartOptions);
    }
    if (m_observer)
        m_observer->previewNamesChanged();
}

} // namespace quillon
