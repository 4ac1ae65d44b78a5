// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindowLink.h"

#include "ui/mainwindow/MainMenus.h"
#include "ui/mainwindow/ReplaceGroup.h"

#include "workspace/Workspace.h"

#include <algorithm>

namespace quillon {

MainWindowLink::MainWindowLink(ReplaceGroup& replace, MainMenus& menus, const Workspace& workspace)
    : m_replace(replace)
    , m_menus(menus)
    , m_workspace(workspace) {}

std::vector<Name> MainWindowLink::previewNames() const {
    // A copy: the wizard never holds on to the workspace's lists.
    const NameList& preview = m_workspace.preview().names;
    std::vector<Name> names;
    names.reserve(preview.size());
    for (std::size_t i = 0; i < preview.size(); ++i)
        names.push_back(preview.decoded(i));
    return names;
}

SelectedFileFields MainWindowLink::firstCheckedFields() const {
    // The check marks are the selection the Select menu and a press follow.
    const std::vector<bool>& checked = m_workspace.preview().checked;
    const auto first = std::find(checked.begin(), checked.end(), true);
    if (first == checked.end())
        return {};
    const auto index = static_cast<std::size_t>(std::distance(checked.begin(), first));
    constexpr auto kEveryField = metadata::FieldSet::fromBits((1U << metadata::kFieldCount) - 1);
    return {m_workspace.folderList().names.decoded(index),
            m_workspace.entryFields(index, kEveryField)};
}

void MainWindowLink::setReplaceText(const QString& text) {
    m_replace.setReplaceText(text);
}

void MainWindowLink::setWithText(const QString& text) {
    m_replace.setWithText(text);
}

void MainWindowLink::setDeletePosition(const QString& text) {
    m_replace.setDeletePosition(text);
}

void MainWindowLink::setDeleteLength(const QString& text) {
    m_replace.setDeleteLength(text);
}

void MainWindowLink::setDeleteChecked(bool checked) {
    m_replace.setDeleteChecked(checked);
}

void MainWindowLink::setInsertPosition(const QString& text) {
    m_replace.setInsertPosition(text);
}

void MainWindowLink::setInsertString(const QString& text) {
    m_replace.setInsertString(text);
}

void MainWindowLink::setInsertChecked(bool checked) {
    m_replace.setInsertChecked(checked);
}

Scope MainWindowLink::scope() const {
    return m_replace.scope();
}

void MainWindowLink::setWizardOpenersEnabled(bool enabled) {
    m_menus.setWizardEnabled(enabled);
    m_replace.setWizardButtonEnabled(enabled);
}

void MainWindowLink::setHelpOpenersEnabled(bool enabled) {
    m_menus.setHelpEnabled(enabled);
    m_replace.setHelpButtonEnabled(enabled);
}

} // namespace quillon
