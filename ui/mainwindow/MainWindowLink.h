// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/wizard/WizardTagsPage.h"

#include "engine/Name.h"

#include <vector>

namespace quillon {

class MainMenus;
class ReplaceGroup;
class Workspace;

/// The main window as the assistants see it: their writes go to the replace
/// group and the menus, which own the controls.
class MainWindowLink final : public MainWindowAccess {
public:
    MainWindowLink(ReplaceGroup& replace, MainMenus& menus, const Workspace& workspace);

    /// The preview list's names as they stand, checked or not.
    std::vector<Name> previewNames() const;
    /// Every field of the first checked entry's file, read now.
    SelectedFileFields firstCheckedFields() const;

    void setReplaceText(const QString& text) override;
    void setWithText(const QString& text) override;
    void setDeletePosition(const QString& text) override;
    void setDeleteLength(const QString& text) override;
    void setDeleteChecked(bool checked) override;
    void setInsertPosition(const QString& text) override;
    void setInsertString(const QString& text) override;
    void setInsertChecked(bool checked) override;
    Scope scope() const override;
    void setWizardOpenersEnabled(bool enabled) override;
    void setHelpOpenersEnabled(bool enabled) override;

private:
    ReplaceGroup& m_replace;
    MainMenus& m_menus;
    const Workspace& m_workspace;
};

} // namespace quillon
