// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/Workspace.h"

#include "engine/Utf8.h"
#include "workspace/NotReadyScope.h"
#include "workspace/fields/FieldReading.h"
#include "workspace/press/EqualNames.h"
#include "workspace/record/UndoScript.h"

#include <algorithm>

namespace quillon {

Workspace::Workspace(FileSystem& fs)
    : m_fs(fs) {}

void Workspace::setCaseMode(CaseMode mode, const SmartCaseOptions& options) {
    m_caseMode = mode;
    m_smartOptions = options;
}

void Workspace::clearLists() {
    if (m_observer)
        m_observer->listsAboutToReset();
    m_folder.names = {};
    m_folder.outside.reset();
    m_preview = {};
    m_missing.clear();
    if (m_observer)
        m_observer->listsReset();
}

LoadResult Workspace::reload(const std::string& folder, NameView mask) {
    if (folder.empty()) {
        clearLists();
        return {};
    }
    FolderReadResult read =
        readSortedByName(m_fs, folder, mask, m_progress, m_listFolders, m_keepOutside);
    if (read.error != 0) {
        clearLists();
        return LoadResult{read.error};
    }
    installSorted(std::move(read), folder, mask);
    return {};
}

void Workspace::showListing(const FolderListing& listing, const std::string& folder,
                            NameView mask) {
    installSorted(
        sortListingByName(m_fs, folder, listing, mask, m_progress, m_listFolders, m_keepOutside),
        folder, mask);
}

void Workspace::installSorted(FolderReadResult read, const std::string& folder, NameView mask) {
    if (dropUndoScript(read.names, folder) && read.outside)
        read.outside->add(kUndoScriptName);
    installFolderList(std::move(read.names), folder, mask, std::move(read.outside));
}

bool Workspace::dropUndoScript(NameList& names, const std::string& folder) {
    // Only the first copy goes: a second one listed through another pattern
    // of the mask stays, as the user asked for it twice.
    const auto it = std::find(names.begin(), names.end(), kUndoScriptName);
    // Only the exact name is read, and only its first bytes.
    if (it == names.end() || !folderHoldsUndoScript(m_fs, folder))
        return false;
    names.erase(static_cast<std::size_t>(std::distance(names.begin(), it)));
    return true;
}

void Workspace::installFolderList(NameList names, const std::string& folder, NameView mask,
                                  std::optional<NameList> outside) {
    if (m_observer)
        m_observer->listsAboutToReset();
    m_folder.names = std::move(names);
    m_folder.outside = std::move(outside);
    m_folder.directory = folder;
    m_folder.mask = Name(mask);
    keepWholeUndoCopy();
    m_preview = {};
    m_missing.clear();
    if (!m_folder.names.empty())
        rebuildPreview(PreviewRebuild::Reload);
    if (m_observer)
        m_observer->listsReset();
}

LoadResult Workspace::load(const std::string& folder, NameView mask) {
    dropUndo();
    return reload(folder, mask);
}

LoadResult Workspace::loadByDate(const std::string& folder, NameView mask) {
    if (folder.empty())
        return {};
    NotReadyScope notReady(m_previewReady);
    releaseUndo();
    FolderReadResult read =
        readSortedByDate(m_fs, folder, mask, m_progress, m_listFolders, m_keepOutside);
    if (read.error != 0) {
        clearLists();
        return LoadResult{read.error};
    }
    installFolderList(std::move(read.names), folder, mask, std::move(read.outside));
    return {};
}

void Workspace::rebuildPreview(PreviewRebuild mode) {
    NotReadyScope notReady(m_previewReady);
    if (m_folder.names.empty())
        return;
    const std::size_t count = m_folder.names.size();
    ProgressStage rewriting(m_progress, WorkStage::Preview, count);
    switch (mode) {
    case PreviewRebuild::Reload:
        // Starts as the disk names, which most case modes leave mostly alike.
        // Room for names that grow; untouched, it costs no memory.
        m_preview.names.clear();
        m_preview.names.reserve(count, m_folder.names.byteSize() * 3 / 2);
        m_preview.names = m_folder.names;
        m_preview.checked.assign(count, true);
        [[fallthrough]];
    case PreviewRebuild::Reset:
        // Every name is the disk's again: no entry kept one for want of a field.
        m_missing.clear();
        for (std::size_t i = 0; i < count; ++i) {
            rewriting.advance(i);
            m_folder.names.decodeInto(i, m_scratch);
            setPreviewName(i, applyCaseMode(m_scratch, m_caseMode, m_smartOptions, m_caseScope));
            m_preview.checked[i] = true;
        }
        break;
    case PreviewRebuild::CaseReapply:
        for (std::size_t i = 0; i < count; ++i) {
            rewriting.advance(i);
            if (!m_preview.checked[i])
                continue;
            if (m_caseMode == CaseMode::None) {
                setPreviewBytes(i, m_folder.names[i]);
                continue;
            }
            m_preview.names.decodeInto(i, m_scratch);
            setPreviewName(i, applyCaseMode(m_scratch, m_caseMode, m_smartOptions, m_caseScope));
        }
        break;
    case PreviewRebuild::Undo:
        if (m_undo.count() == count) {
            for (std::size_t i = 0; i < count; ++i) {
                if (m_undo.holds(i))
                    m_preview.names.set(i, m_undo[i]);
            }
        }
        break;
    }
    rewriting.advance(count);
    m_preview.names.trim();
    // A reload is announced by the caller as a reset of the whole list.
    if (mode != PreviewRebuild::Reload && m_observer)
        m_observer->previewNamesChanged();
}

void Workspace::setPreviewName(std::size_t i, NameView name) {
    m_scratchBytes.clear();
    appendEncoded(m_scratchBytes, name);
    setPreviewBytes(i, m_scratchBytes);
}

void Workspace::setPreviewBytes(std::size_t i, std::string_view bytes) {
    const std::string_view before = m_preview.names[i];
    if (before == bytes)
        return;
    if (m_hasUndo)
        m_undo.remember(i, before);
    m_preview.names.set(i, bytes);
}

// A reload that keeps the undo copy rewrites every preview name, so the copy
// must hold all of them to give the list back as it was before the press.
void Workspace::keepWholeUndoCopy() {
    if (!m_hasUndo)
        return;
    for (std::size_t i = 0; i < m_preview.size(); ++i)
        m_undo.remember(i, m_preview.names[i]);
}

void Workspace::releaseUndo() {
    const bool before = m_hasUndo;
    m_undo.clear();
    m_hasUndo = false;
    if (m_observer && before)
        m_observer->undoAvailabilityChanged(false);
}

void Workspace::dropUndo() {
    NotReadyScope notReady(m_previewReady);
    releaseUndo();
}

std::optional<RefusalCode> Workspace::apply(const ReplaceSettings& settings,
                                            SharedNumbering* shared) {
    NotReadyScope notReady(m_previewReady);
    // "Undo" is offered from the moment of the press, also for an empty list.
    if (m_keepPressUndo) {
        const bool before = m_hasUndo;
        m_undo.start(m_preview.size(), m_preview.names.byteSize());
        m_hasUndo = true;
        if (m_observer && !before)
            m_observer->undoAvailabilityChanged(true);
    }

    ReplaceCompilation compiled =
        compileReplace(settings, shared ? shared->entryCount : m_preview.size());
    if (const auto* code = std::get_if<RefusalCode>(&compiled)) {
        releaseUndo();
        return *code;
    }
    const auto& plan = std::get<ReplacePlan>(compiled);
    if (!readPressFields(plan)) {
        releaseUndo();
        return std::nullopt;
    }
    const ReplaceCounter start = plan.startCounter();
    ReplaceCounter counter(start.next() + (shared ? shared->taken : 0));
    const bool complete = runEntryLoop(plan, settings.cumulate, counter);
    m_pressFields = std::vector<metadata::FileFields>();
    if (!complete) {
        // A name left as it was for want of an answer is no result: the
        // press changes nothing at all.
        rebuildPreview(PreviewRebuild::Undo);
        releaseUndo();
        m_missing.clear();
        if (m_observer)
            m_observer->previewNamesChanged();
        return RefusalCode::ExpressionTooCostly;
    }
    if (settings.numberDuplicates)
        numberEqualPreviewNames();
    if (shared)
        shared->taken = counter.next() - start.next();
    return std::nullopt;
}

// Each entry is rewritten once, so with "Cumulate" the preview name read
// here is still the one from before the press.
bool Workspace::runEntryLoop(const ReplacePlan& plan, bool fromPreviewNames,
                             ReplaceCounter& counter) {
    if (m_folder.names.empty())
        return true;
    const NameList& sources = fromPreviewNames ? m_preview.names : m_folder.names;
    const std::size_t count = m_preview.size();
    const bool tokens = !plan.fields.empty();
    m_missing.assign(tokens ? count : 0, MissingFields{});
    ProgressStage rewriting(m_progress, WorkStage::Preview, count);
    for (std::size_t i = 0; i < count; ++i) {
        rewriting.advance(i);
        if (!m_preview.checked[i])
            continue;
        sources.decodeInto(i, m_scratch);
        if (tokens)
            toFieldValues(m_pressFields[i], m_scratchValues);
        setPreviewName(i,
                       applyReplace(plan, m_scratch, counter, tokens ? &m_scratchValues : nullptr,
                                    tokens ? &m_missing[i].fields : nullptr));
        if (replaceGaveUp(plan)) {
            m_refusedName = m_folder.names[i];
            return false;
        }
        if (tokens && m_missing[i].any() && m_pressFields[i].unreadable())
            m_missing[i].unreadable = true;
    }
    rewriting.advance(count);
    m_preview.names.trim();
    if (m_observer)
        m_observer->previewNamesChanged();
    return true;
}

void Workspace::numberEqualPreviewNames() {
    if (m_folder.names.empty())
        return;
    const std::vector<NumberedName> numbered =
        numberEqualNamesInFolder(m_fs, m_folder.directory, m_folder.names, m_preview.names);
    for (const NumberedName& n : numbered)
        setPreviewBytes(n.index, n.name);
    if (!numbered.empty() && m_observer)
        m_observer->previewNamesChanged();
}

void Workspace::undo() {
    if (!undoAvailable())
        return;
    NotReadyScope notReady(m_previewReady);
    rebuildPreview(PreviewRebuild::Undo);
    releaseUndo();
    m_missing.clear();
}

void Workspace::releaseLists(NameList& folderNames, PreviewList& preview) {
    folderNames = std::move(m_folder.names);
    preview = std::move(m_preview);
    m_folder.names = {};
    m_folder.outside.reset();
    m_preview = {};
}

void Workspace::setAllChecks(bool checked) {
    m_preview.checked.assign(m_preview.size(), checked);
    if (m_observer && !m_preview.empty())
        m_observer->checksChanged(0, m_preview.size() - 1);
}

void Workspace::selectAll() {
    setAllChecks(true);
}

void Workspace::unselectAll() {
    setAllChecks(false);
}

void Workspace::invertAll() {
    m_preview.checked.flip();
    if (m_observer && !m_preview.empty())
        m_observer->checksChanged(0, m_preview.size() - 1);
}

void Workspace::setChecked(std::size_t index, bool checked) {
    if (index >= m_preview.size() || m_preview.checked[index] == checked)
        return;
    m_preview.checked[index] = checked;
    if (m_observer)
        m_observer->checksChanged(index, index);
}

} // namespace quillon
