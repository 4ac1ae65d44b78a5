// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/mainwindow/MainWindowAccess.h"

#include "engine/ReplaceSettings.h"

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quillon {

/// The "Replace/Reformat/Number" group: the pattern boxes, Delete and
/// Insert, the switches, the scope toggles, "Undo" and "OK". Holds the
/// settings and the scope; keeps "OK", "Case sensitive" and the scope
/// toggles in step with what the engine can run. The assistants write into
/// its boxes through MainWindowAccess.
class ReplaceGroup final : public QGroupBox, public MainWindowAccess {
    Q_OBJECT
public:
    explicit ReplaceGroup(QWidget* parent);

    /// The group's settings; the case fields keep their defaults.
    ReplaceSettings settings() const;
    /// Writes every box, switch and the scope from settings (its case
    /// fields aside), then tells settingsChanged once.
    void setSettings(const ReplaceSettings& settings);
    Scope scope() const override { return m_scope; }

    void focusReplaceBox();

    /// The settings can run; "OK" itself may be off while a command works.
    bool okEnabled() const;
    void setUndoEnabled(bool enabled);
    /// "OK" and "Undo" off while a command works, back to what they allow after.
    void setCommandsEnabled(bool enabled);
    /// The buttons here; the menus follow through the signals below.
    void setWizardOpenersEnabled(bool enabled) override;
    void setHelpOpenersEnabled(bool enabled) override;

    // Writes as if typed, so the change handling runs.
    void setReplaceText(const QString& text) override;
    void setWithText(const QString& text) override;
    void setDeletePosition(const QString& text) override;
    void setDeleteLength(const QString& text) override;
    void setDeleteChecked(bool checked) override;
    void setInsertPosition(const QString& text) override;
    void setInsertText(const QString& text) override;
    void setInsertChecked(bool checked) override;

public slots:
    // The scope toggles: a part excluded while the other one is excluded
    // too brings the other one back first.
    void excludeNames();
    void includeNames();
    void excludeExtensions();
    void includeExtensions();
    /// Shows the one toggle of each pair that matches the scope.
    void showScopeToggles();
    /// Empties "Replace:" and "With:" and puts the focus in "Replace:".
    void clearReplaceBoxes();

signals:
    /// A box or switch changed or was clicked; the states are already updated.
    void settingsChanged();
    void okPressed();
    /// "Undo", or Escape in a pattern box while "Undo" is enabled.
    void undoPressed();
    void wizardPressed();
    void helpPressed();
    void wizardOpenersEnabled(bool enabled);
    void helpOpenersEnabled(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Recomputes the enabled states from the boxes as they are.
    void updateControlStates();
    QLayout* buildPatternRow();
    QWidget* buildScopeToggles();
    QLayout* buildPositionRow();
    QLayout* buildSwitches();
    void installKeyRules();
    void watchChanges();
    void changed();
    void setNamesIncluded(bool included);
    void setExtensionsIncluded(bool included);

    Scope m_scope = Scope::FileNamesOnly;
    bool m_undoAvailable = false;
    bool m_commandsEnabled = true;

    QLineEdit* m_findEdit = nullptr;
    QLineEdit* m_replaceWithEdit = nullptr;
    QCheckBox* m_caseSensitive = nullptr;
    /// "Regular expression": the Replace text is an ICU expression.
    QCheckBox* m_regularExpression = nullptr;
    QCheckBox* m_updateCase = nullptr;
    QCheckBox* m_cumulate = nullptr;
    QCheckBox* m_deleteAt = nullptr;
    QLineEdit* m_deleteAtEdit = nullptr;
    QLineEdit* m_deleteCountEdit = nullptr;
    QCheckBox* m_insertAt = nullptr;
    QLineEdit* m_insertAtEdit = nullptr;
    QLineEdit* m_insertTextEdit = nullptr;
    QCheckBox* m_charactersToSpaces = nullptr;
    QCheckBox* m_deleteDigits = nullptr;
    QCheckBox* m_collapseSpaces = nullptr;
    /// "Number equal names": equal new names get " (2)", " (3)" ...
    QCheckBox* m_numberEqualNames = nullptr;
    QWidget* m_nameOrExtensionPanel = nullptr;
    QToolButton* m_nameIncluded = nullptr;
    QToolButton* m_nameExcluded = nullptr;
    QToolButton* m_extensionIncluded = nullptr;
    QToolButton* m_extensionExcluded = nullptr;
    QToolButton* m_wizardButton = nullptr;
    QToolButton* m_helpOpener = nullptr;
    QPushButton* m_applyButton = nullptr;
    QPushButton* m_undoButton = nullptr;
};

} // namespace quillon
