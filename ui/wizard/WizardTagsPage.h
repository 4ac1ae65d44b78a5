// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/wizard/WizardPage.h"

#include "engine/Name.h"
#include "metadata/FileFields.h"

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillon {

/// The fields of the first selected file, as the main window read them.
struct SelectedFileFields {
    /// The file's name on disk; empty when no file is selected.
    Name name;
    metadata::FileFields fields;
};

/// The "Tags" page: the fields found in the first selected file with their
/// values; choosing one (click, Enter or Space) adds its token to the With
/// text the page shows, and OK writes Replace "*" and that With text.
class WizardTagsPage final : public WizardPage {
    Q_OBJECT
public:
    using FieldsReader = std::function<SelectedFileFields()>;

    WizardTagsPage(MainWindowAccess& mainWindow, FieldsReader readFields, QWidget* parent);

    /// Reads the first selected file's fields again and lists them.
    void showFields();

    void ok() override;
    void clear() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void addToken(const QTreeWidgetItem* item);

    FieldsReader m_readFields;
    QLabel* m_file = nullptr;
    QTreeWidget* m_fields = nullptr;
    QLineEdit* m_with = nullptr;
};

} // namespace quillon
