// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/PresetsDialog.h"

#include "ui/widgets/WidgetHelpers.h"
#include "workspace/presets/PresetStore.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cerrno>
#include <cstring>

namespace quillon {

namespace {

std::string bytesOf(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

} // namespace

PresetsDialog::PresetsDialog(PresetStore& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store) {
    setObjectName(QStringLiteral("PresetsDialog"));
    setWindowTitle(tr("Manage Presets"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_list = named(new QListWidget(this), "Presets_List");
    row->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    m_rename = named(new QPushButton(tr("&Rename…"), this), "Presets_Rename");
    m_delete = named(new QPushButton(tr("&Delete"), this), "Presets_Delete");
    auto* open = named(new QPushButton(tr("&Open Folder"), this), "Presets_OpenFolder");
    for (QPushButton* button : {m_rename, m_delete, open}) {
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    column->addStretch(1);
    row->addLayout(column);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_rename, &QPushButton::clicked, this, &PresetsDialog::renameSelected);
    connect(m_delete, &QPushButton::clicked, this, &PresetsDialog::deleteSelected);
    connect(open, &QPushButton::clicked, this, &PresetsDialog::openFolder);
    connect(m_list, &QListWidget::currentRowChanged, this, &PresetsDialog::updateButtons);
    fill();
}

void PresetsDialog::fill() {
    m_list->clear();
    for (const std::string& name : m_store.names())
        m_list->addItem(QFile::decodeName(QByteArray::fromStdString(name)));
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    updateButtons();
}

void PresetsDialog::updateButtons() {
    const bool chosen = m_list->currentItem() != nullptr;
    m_rename->setEnabled(chosen);
    m_delete->setEnabled(chosen);
}

QString PresetsDialog::selectedName() const {
    return m_list->currentItem() ? m_list->currentItem()->text() : QString();
}

void PresetsDialog::renameSelected() {
    const QString from = selectedName();
    bool given = false;
    const QString to = QInputDialog::getText(this, tr("Rename Preset"), tr("New name:"),
                                             QLineEdit::Normal, from, &given)
                           .trimmed();
    if (!given || to == from)
        return;
    if (!PresetStore::isValidName(bytesOf(to))) {
        showPlainMessage(this, QMessageBox::Critical,
                         tr("\"%1\" cannot be the name of a preset: it must not be empty, begin "
                            "with \".\" or hold \"/\".")
                             .arg(to));
        return;
    }
    if (const int err = m_store.rename(bytesOf(from), bytesOf(to))) {
        showPlainMessage(this, QMessageBox::Critical,
                         err == EEXIST ? tr("A preset named \"%1\" exists already.").arg(to)
                                       : tr("The preset could not be renamed:\n%1")
                                             .arg(QString::fromLocal8Bit(std::strerror(err))));
    }
    fill();
}

void PresetsDialog::deleteSelected() {
    const QString name = selectedName();
    if (QMessageBox::question(this, tr("Manage Presets"),
                              tr("Delete the preset \"%1\"?").arg(name)) != QMessageBox::Yes)
        return;
    if (const int err = m_store.remove(bytesOf(name))) {
        showPlainMessage(this, QMessageBox::Critical,
                         tr("The preset could not be deleted:\n%1")
                             .arg(QString::fromLocal8Bit(std::strerror(err))));
    }
    fill();
}

void PresetsDialog::openFolder() {
    const QString folder = QFile::decodeName(QByteArray::fromStdString(m_store.directory()));
    // The folder may not exist before the first preset is saved.
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace quillon
