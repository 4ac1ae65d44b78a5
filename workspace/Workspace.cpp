// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/Workspace.h"

#include "engine/Utf8.h"
#include "workspace/NotReadyScope.h"
#include "workspace/UndoScript.h"

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
    m_folder.names.clear();
    m_preview.clear();
    if (m_observer)
        m_observer->listsReset();
}

LoadResult Workspace::reload(const std::string& folder, NameView mask) {
    if (folder.empty()) {
        clearLists();
        return {};
    }
    FolderReadResult read = readSortedByName(m_fs, folder, mask, m_busy);
    if (read.error != 0) {
        clearLists();
        return LoadResult{read.error};
    }
    // Only the first copy goes: a second one listed through another pattern
    // of the mask stays, as the user asked for it twice.
    const Name script = decodeName(kUndoScriptName);
    const auto it = std::find(read.names.begin(), read.names.end(), script);
    // Only the exact name is read, and only its first bytes.
    if (it != read.names.end() && folderHoldsUndoScript(m_fs, folder))
        read.names.erase(it);
    installFolderList(std::move(read.names), folder, mask);
    return {};
}

void Workspace::installFolderList(std::vector<Name> names, const std::string& folder,
                                  NameView mask) {
    if (m_observer)
        m_observer->listsAboutToReset();
    m_folder.names = std::move(names);
    m_folder.directory = folder;
    m_folder.mask = Name(mask);
    m_preview.clear();
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
    setUndo({});
    FolderReadResult read = readSortedByDate(m_fs, folder, mask, m_busy);
    if (read.error != 0) {
        clearLists();
        return LoadResult{read.error};
    }
    installFolderList(std::move(read.names), folder, mask);
    return {};
}

void Workspace::rebuildPreview(PreviewRebuild mode) {
    NotReadyScope notReady(m_previewReady);
    if (m_folder.names.empty())
        return;
    const std::size_t count = m_folder.names.size();
    switch (mode) {
    case PreviewRebuild::Reload:
        m_preview.assign(count, PreviewEntry{});
        [[fallthrough]];
    case PreviewRebuild::Reset:
        for (std::size_t i = 0; i < count; ++i) {
            m_preview[i].name = applyCaseMode(m_folder.names[i], m_caseMode, m_smartOptions);
            m_preview[i].checked = true;
        }
        break;
    case PreviewRebuild::CaseReapply:
        for (std::size_t i = 0; i < count; ++i) {
            PreviewEntry& entry = m_preview[i];
            if (!entry.checked)
                continue;
            entry.name = m_caseMode == CaseMode::None
                             ? m_folder.names[i]
                             : applyCaseMode(entry.name, m_caseMode, m_smartOptions);
        }
        break;
    case PreviewRebuild::Undo:
        if (m_undo.size() == count) {
            for (std::size_t i = 0; i < count; ++i)
                m_preview[i].name = m_undo[i];
        }
        break;
    case PreviewRebuild::Regular:
    case PreviewRebuild::Reformat:
    case PreviewRebuild::Numbering:
        break;
    }
    // A reload is announced by the caller as a reset of the whole list.
    if (mode != PreviewRebuild::Reload && m_observer)
        m_observer->previewNamesChanged();
}

void Workspace::setUndo(std::vector<Name> undo) {
    const bool before = m_hasUndo;
    m_undo = std::move(undo);
    m_hasUndo = !m_undo.empty();
    if (m_observer && before != m_hasUndo)
        m_observer->undoAvailabilityChanged(m_hasUndo);
}

void Workspace::dropUndo() {
    NotReadyScope notReady(m_previewReady);
    setUndo({});
}

std::optional<RefusalCode> Workspace::apply(const ReplaceSettings& settings) {
    NotReadyScope notReady(m_previewReady);
    std::vector<Name> undo;
    undo.reserve(m_preview.size());
    for (const PreviewEntry& entry : m_preview)
        undo.push_back(entry.name);
    // "Undo" is offered from the moment of the press, also for an empty list.
    const bool before = m_hasUndo;
    m_undo = std::move(undo);
    m_hasUndo = true;
    if (m_observer && !before)
        m_observer->undoAvailabilityChanged(true);

    ReplaceCompilation compiled = compileReplace(settings, m_preview.size());
    if (const auto* code = std::get_if<RefusalCode>(&compiled)) {
        setUndo({});
        return *code;
    }
    runEntryLoop(std::get<ReplacePlan>(compiled), settings.cumulate);
    return std::nullopt;
}

void Workspace::runEntryLoop(const ReplacePlan& plan, bool sourceIsPreview) {
    if (m_folder.names.empty())
        return;
    ReplaceCounter counter = plan.startCounter();
    for (std::size_t i = 0; i < m_preview.size(); ++i) {
        PreviewEntry& entry = m_preview[i];
        if (!entry.checked)
            continue;
        const Name& source = sourceIsPreview ? m_undo[i] : m_folder.names[i];
        entry.name = applyReplace(plan, source, counter);
    }
    if (m_observer)
        m_observer->previewNamesChanged();
}

void Workspace::undo() {
    if (!undoAvailable())
        return;
    NotReadyScope notReady(m_previewReady);
    rebuildPreview(PreviewRebuild::Undo);
    setUndo({});
}

void Workspace::setAllChecks(bool checked) {
    for (PreviewEntry& entry : m_preview)
        entry.checked = checked;
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
    for (PreviewEntry& entry : m_preview)
        entry.checked = !entry.checked;
    if (m_observer && !m_preview.empty())
        m_observer->checksChanged(0, m_preview.size() - 1);
}

void Workspace::setChecked(std::size_t index, bool checked) {
    if (index >= m_preview.size() || m_preview[index].checked == checked)
        return;
    m_preview[index].checked = checked;
    if (m_observer)
        m_observer->checksChanged(index, index);
}

} // namespace quillon
