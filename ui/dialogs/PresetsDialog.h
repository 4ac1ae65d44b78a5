// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quillon {

class PresetStore;

/// "Manage Presets…": the saved presets in a list, to rename or delete, and
/// a button that opens their folder in the file manager.
class PresetsDialog final : public QDialog {
    Q_OBJECT
public:
    PresetsDialog(PresetStore& store, QWidget* parent);

private:
    void fill();
    void renameSelected();
    void deleteSelected();
    void openFolder();
    void updateButtons();
    QString selectedName() const;

    PresetStore& m_store;
    QListWidget* m_list = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace quillon
