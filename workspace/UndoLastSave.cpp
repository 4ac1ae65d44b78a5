// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/UndoLastSave.h"

#include "workspace/FileSystem.h"
#include "workspace/FolderReader.h"
#include "workspace/UndoScript.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>
#include <unordered_set>

namespace quillon {

namespace {

// Far beyond any record a save writes (100,000 renames take some 10 MB).
constexpr std::size_t kRecordLimit = std::size_t{1} << 30;

enum class LineOutcome : std::uint8_t { Restored, NotCarriedOut, Failed };

// Takes the steps of one record back, newest first, with the folder's names
// held in memory: a rename keeps the set in step with the disk, so no line
// asks the disk whether a name is there.
class UndoRun final {
public:
    UndoRun(FileSystem& fs, const std::string& folder, const UndoRecord& record,
            const NameList& entries)
        : m_fs(fs)
        , m_folder(folder)
        , m_record(record) {
        m_names.reserve(entries.size());
        for (const std::string_view e : entries)
            m_names.emplace(e);
    }

    /// Returns the steps left over, in the record's order.
    std::vector<UndoStep> run(const SaveCallbacks& ask, UndoResult& result);
    bool anyRestored() const { return m_anyRestored; }

private:
    bool present(const std::string& name) const { return m_names.contains(name); }
    int move(const std::string& from, const std::string& to);
    LineOutcome plainLine(const UndoStep& step);
    LineOutcome caseLine(const UndoStep& step);
    LineOutcome swapLine(const UndoStep& step);
    LineOutcome line(const UndoStep& step);
    // Newest first, the steps that never happened come before any that did,
    // and their file still has its old name.
    bool pending() const { return m_record.planned && !m_anyRestored; }

    FileSystem& m_fs;
    const std::string& m_folder;
    const UndoRecord& m_record;
    std::unordered_set<std::string> m_names;
    bool m_anyRestored = false;
    unsigned m_counter = 0;
};

int UndoRun::move(const std::string& from, const std::string& to) {
    const int err = m_fs.renameDirect(m_folder, from, to);
    if (err == 0) {
        m_names.erase(from);
        m_names.insert(to);
    }
    return err;
}

LineOutcome UndoRun::plainLine(const UndoStep& step) {
    if (present(step.to) && !present(step.from))
        return move(step.to, step.from) == 0 ? LineOutcome::Restored : LineOutcome::Failed;
    if (pending() && present(step.from))
        return LineOutcome::NotCarriedOut;
    return LineOutcome::Failed;
}

// A change of letter case only, which went through step.temporary where the
// disk ignores case.
LineOutcome UndoRun::caseLine(const UndoStep& step) {
    if (present(step.temporary) && present(step.from) &&
        m_fs.regularFileSize(m_folder, step.temporary) == 0) {
        // Killed inside the first step: the file never left its old name,
        // and the empty file that reserved the temporary name is no file of
        // the user's to bring back.
        if (m_fs.removeFile(m_folder, step.temporary) != 0)
            return LineOutcome::Failed;
        m_names.erase(step.temporary);
        return LineOutcome::NotCarriedOut;
    }
    if (present(step.temporary)) {
        // Stopped between the two steps: the file is under the temporary
        // name; an empty file under the new one is the placeholder some
        // disks create before a rename.
        if (present(step.to) && m_fs.regularFileSize(m_folder, step.to) == 0 &&
            m_fs.removeFile(m_folder, step.to) == 0)
            m_names.erase(step.to);
        return !present(step.from) && move(step.temporary, step.from) == 0 ? LineOutcome::Restored
                                                                           : LineOutcome::Failed;
    }
    if (!present(step.to))
        return pending() && present(step.from) ? LineOutcome::NotCarriedOut : LineOutcome::Failed;
    int err = present(step.from) ? EEXIST : move(step.to, step.from);
    // The disk ignores case: the old spelling finds the file itself.
    if (err == EEXIST && !present(step.from)) {
        char temporary[80];
        std::snprintf(temporary, sizeof temporary, "_Quillon case %ld-%u.tmp",
                      static_cast<long>(::getpid()), m_counter++);
        if ((err = move(step.to, temporary)) == 0 && (err = move(temporary, step.from)) != 0)
            move(temporary, step.to);
    }
    return err == 0 ? LineOutcome::Restored : LineOutcome::Failed;
}

// The last step of a cycle: its marker, there from just before the step
// until saving ended, tells a finished cycle from one never begun.
LineOutcome UndoRun::swapLine(const UndoStep& step) {
    if (!present(step.from) && !present(step.marker))
        return LineOutcome::NotCarriedOut;
    const LineOutcome outcome = plainLine(step);
    if (present(step.marker) && m_fs.removeFile(m_folder, step.marker) == 0)
        m_names.erase(step.marker);
    return outcome;
}

LineOutcome UndoRun::line(const UndoStep& step) {
    if (!step.temporary.empty())
        return caseLine(step);
    return step.marker.empty() ? plainLine(step) : swapLine(step);
}

std::vector<UndoStep> UndoRun::run(const SaveCallbacks& ask, UndoResult& result) {
    const std::vector<UndoStep>& steps = m_record.steps;
    std::vector<UndoStep> left;
    int shownPercent = 0;
    std::size_t k = steps.size();
    for (; k > 0; --k) {
        if (ask.shouldStop && ask.shouldStop())
            break;
        const UndoStep& step = steps[k - 1];
        switch (line(step)) {
        case LineOutcome::Restored:
            result.restored.push_back(step);
            m_anyRestored = true;
            break;
        case LineOutcome::NotCarriedOut:
            ++result.notCarriedOut;
            break;
        case LineOutcome::Failed:
            result.notRestored.push_back(step);
            left.push_back(step);
            break;
        }
        const auto percent = static_cast<int>((steps.size() - k + 1) * 100 / steps.size());
        if (percent != shownPercent && ask.progress)
            ask.progress(percent);
        shownPercent = percent;
    }
    result.notReached = k;
    // Not reached after a stop: kept as they are, oldest first.
    std::vector<UndoStep> out(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(k));
    out.insert(out.end(), left.rbegin(), left.rend());
    return out;
}

UndoStatus readRecord(FileSystem& fs, const std::string& folder, UndoRecord& record) {
    std::string text;
    const int err = fs.readRegularFile(folder, kUndoScriptName, kRecordLimit, text);
    if (err == ENOENT || err == ENOTDIR)
        return UndoStatus::NoRecord;
    if (err != 0 || !hasUndoScriptSignature(text))
        return UndoStatus::NotQuillons;
    auto parsed = parseUndoScript(text);
    if (!parsed)
        return UndoStatus::NotQuillons;
    record = std::move(*parsed);
    return UndoStatus::Undone;
}

UndoResult undoLocked(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask) {
    UndoResult result;
    UndoRecord record;
    if ((result.status = readRecord(fs, folder, record)) != UndoStatus::Undone)
        return result;
    FolderListing listing;
    if ((result.recordError = fs.readFolder(folder, listing)) != 0) {
        result.notRestored.assign(record.steps.rbegin(), record.steps.rend());
        return result;
    }
    UndoRun run(fs, folder, record, listing.names);
    if (ask.renaming)
        ask.renaming(true);
    UndoRecord rest;
    rest.steps = run.run(ask, result);
    if (ask.renaming)
        ask.renaming(false);
    if (rest.steps.empty()) {
        result.recordError = fs.removeFile(folder, kUndoScriptName);
        return result;
    }
    // Once a rename came back, every older line did happen.
    rest.planned = record.planned && !run.anyRestored();
    result.recordError =
        fs.writeFileAtomically(folder, kUndoScriptName, undoScriptText(rest), true);
    return result;
}

} // namespace

UndoResult undoLastSave(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask) {
    if (fs.lockFolder(folder) != 0) {
        UndoResult busy;
        busy.status = UndoStatus::Busy;
        return busy;
    }
    UndoResult result = undoLocked(fs, folder, ask);
    fs.unlockFolder(folder);
    return result;
}

} // namespace quillon
