// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ReplaceSettings.h"

class QString;

namespace quillon {

/// What the wizard and the help window may do to the main window. Writes
/// land in its controls as if the user had typed them, so that the main
/// window's own change handling runs (the state of "OK", the scope toggles).
class MainWindowAccess {
public:
    virtual ~MainWindowAccess() = default;

    /// "Replace:" and "With:", whole (never cut to a typing limit).
    virtual void setReplaceText(const QString& text) = 0;
    virtual void setWithText(const QString& text) = 0;
    /// "Delete": its "Pos:" and "Length:" boxes and its check box.
    virtual void setDeletePosition(const QString& text) = 0;
    virtual void setDeleteLength(const QString& text) = 0;
    virtual void setDeleteChecked(bool checked) = 0;
    /// "Insert": its "Pos:" and "String:" boxes and its check box.
    virtual void setInsertPosition(const QString& text) = 0;
    virtual void setInsertText(const QString& text) = 0;
    virtual void setInsertChecked(bool checked) = 0;
    /// Which parts of the names the main window works on.
    virtual Scope scope() const = 0;
    /// The menu entry and the button that open the wizard / the help.
    virtual void setWizardOpenersEnabled(bool enabled) = 0;
    virtual void setHelpOpenersEnabled(bool enabled) = 0;
};

} // namespace quillon
