// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardTagsPage.h"

#include "ui/models/FieldText.h"
#include "ui/models/NameText.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/wizard/WizardWidgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillon {

using namespace wizard;

namespace {

constexpr int kTokenColumn = 0;
constexpr int kValueColumn = 1;

} // namespace

WizardTagsPage::WizardTagsPage(MainWindowAccess& mainWindow, FieldsReader readFields,
                               QWidget* parent)
    : WizardPage(mainWindow, parent)
    , m_readFields(std::move(readFields)) {
    QVBoxLayout* column = pageColumn(
        this, tr("This feature names files from what is inside them. Click on a field of the "
                 "first selected file to add it to the new names."));
    m_file = pageLabel(QString(), this, "W_Tags_File");
    // A long name is cut rather than widening the wizard; the tooltip holds it whole.
    m_file->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    column->addWidget(m_file);
    m_fields = named(new QTreeWidget(this), "W_Tags_Fields");
    m_fields->setColumnCount(2);
    m_fields->setHeaderLabels({tr("Field"), tr("Value")});
    m_fields->setRootIsDecorated(false);
    m_fields->setAllColumnsShowFocus(true);
    m_fields->header()->setSectionResizeMode(kTokenColumn, QHeaderView::ResizeToContents);
    m_fields->setAccessibleName(tr("Fields"));
    m_fields->setAccessibleDescription(
        tr("Enter, Space or a click adds the field to the With text."));
    m_fields->installEventFilter(this);
    connect(m_fields, &QTreeWidget::itemClicked, this,
            [this](const QTreeWidgetItem* item) { addToken(item); });
    column->addWidget(m_fields, 1);

    auto* withRow = new QHBoxLayout;
    m_with = named(new QLineEdit(this), "W_Tags_With");
    QLabel* withLabel = pageLabel(tr("With:"), this);
    withLabel->setBuddy(m_with);
    withRow->addWidget(withLabel);
    withRow->addWidget(m_with, 1);
    column->addLayout(withRow);
    // NOLINTBEGIN(modernize-raw-string-literal): the translation keys on this text
    addFoot(column, tr("Click on OK when done to fill out the \"Replace\" and \"With\" boxes."),
            "W_Tags_OKButton", "W_Tags_ClearButton");
    // NOLINTEND(modernize-raw-string-literal)
    // The foot's spacer would share the page's height with the table: the
    // table takes it all, the foot stays at the bottom under it.
    column->setStretch(column->indexOf(m_fields), 1);
    column->setStretch(column->count() - 2, 0);
}

void WizardTagsPage::showFields() {
    const SelectedFileFields selected = m_readFields ? m_readFields() : SelectedFileFields{};
    m_fields->clear();
    if (selected.name.empty()) {
        m_file->setText(tr("No file is selected."));
        m_file->setToolTip(QString());
        return;
    }
    for (const Field field : kAllFields) {
        if (!selected.fields.has(field))
            continue;
        auto* item = new QTreeWidgetItem(m_fields);
        item->setText(kTokenColumn, fieldToken(field));
        item->setText(kValueColumn, fieldValueText(selected.fields, field));
    }
    const QString name = toDisplayString(selected.name);
    m_file->setToolTip(name);
    m_file->setText(m_fields->topLevelItemCount() > 0 ? tr("Fields of \"%1\":").arg(name)
                                                      : tr("\"%1\" has no fields.").arg(name));
    m_fields->setCurrentItem(m_fields->topLevelItem(0));
}

void WizardTagsPage::addToken(const QTreeWidgetItem* item) {
    if (item)
        m_with->insert(item->text(kTokenColumn));
}

bool WizardTagsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_fields && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Taken here, so that Enter adds the field rather than pressing OK.
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            addToken(m_fields->currentItem());
            return true;
        }
    }
    return WizardPage::eventFilter(watched, event);
}

void WizardTagsPage::showEvent(QShowEvent* event) {
    WizardPage::showEvent(event);
    showFields();
}

void WizardTagsPage::ok() {
    writePatterns(QStringLiteral("*"), m_with->text());
}

void WizardTagsPage::clear() {
    m_with->clear();
    writePatterns(QString(), QString());
}

} // namespace quillon
