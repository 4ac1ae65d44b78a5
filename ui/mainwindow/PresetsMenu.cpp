// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/PresetsMenu.h"

#include "ui/dialogs/PresetsDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/models/NameText.h"
#include "ui/widgets/ScreenFit.h"
#include "ui/widgets/WidgetHelpers.h"

#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

#include <cstring>
#include <utility>

namespace quillon {

namespace {

std::string bytesOf(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

} // namespace

PresetsMenu::PresetsMenu(MainWindow& window, std::unique_ptr<FileSystem> disk,
                         const std::string& directory)
    : QObject(&window)
    , m_window(window)
    , m_disk(std::move(disk))
    , m_store(*m_disk, directory) {}

void PresetsMenu::addTo(QMenu* file) {
    file->addSeparator();
    m_menu = named(file->addMenu(tr("&Presets")), "MainMenu_File_Presets");
    connect(m_menu, &QMenu::aboutToShow, this, &PresetsMenu::fillMenu);
    // Entries exist before the first opening, for keyboard and screen readers.
    fillMenu();
}

// Rebuilt at each opening: presets may be added or removed by another
// program (or the command line) at any time.
void PresetsMenu::fillMenu() {
    m_menu->clear();
    named(m_menu->addAction(tr("Save Current Settings As…"), this, &PresetsMenu::askNameAndSave),
          "MainMenu_File_Presets_SaveAs");
    const std::vector<std::string> names = m_store.names();
    if (!names.empty())
        m_menu->addSeparator();
    for (const std::string& name : names) {
        const QString text = QFile::decodeName(QByteArray::fromStdString(name));
        QAction* entry =
            m_menu->addAction(QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(entry, &QAction::triggered, this, [this, text] { choose(text); });
    }
    m_menu->addSeparator();
    named(m_menu->addAction(tr("Manage Presets…"), this, &PresetsMenu::manage),
          "MainMenu_File_Presets_Manage");
    m_menu->setEnabled(!m_store.directory().empty());
}

Preset PresetsMenu::currentSettings() const {
    Preset preset;
    preset.settings = m_window.replaceSettings();
    preset.settings.caseScope = Scope::Both;
    preset.mask = toName(m_window.mask());
    return preset;
}

void PresetsMenu::askNameAndSave() {
    QInputDialog ask(&m_window);
    ask.setObjectName(QStringLiteral("MainMenu_File_Presets_SaveAs_Dialog"));
    ask.setWindowTitle(tr("Save Current Settings As"));
    ask.setLabelText(tr("Preset name:"));
    ask.setInputMode(QInputDialog::TextInput);
    // As wide as its title and the title bar's buttons, which a window
    // manager would otherwise cut.
    ask.setMinimumWidth(titleWidth(ask));
    if (ask.exec() == QDialog::Accepted)
        saveAs(ask.textValue().trimmed());
}

bool PresetsMenu::saveAs(const QString& name) {
    const std::string bytes = bytesOf(name);
    if (!PresetStore::isValidName(bytes)) {
        showPlainMessage(&m_window, QMessageBox::Critical,
                         tr("\"%1\" cannot be the name of a preset: it must not be empty, begin "
                            "with \".\" or hold \"/\".")
                             .arg(name));
        return false;
    }
    const auto names = m_store.names();
    if (std::find(names.begin(), names.end(), bytes) != names.end() &&
        QMessageBox::question(&m_window, tr("Presets"),
                              tr("A preset named \"%1\" exists. Replace it?").arg(name)) !=
            QMessageBox::Yes)
        return false;
    if (const int err = m_store.save(bytes, currentSettings())) {
        showPlainMessage(
            &m_window, QMessageBox::Critical,
            tr("The preset could not be saved to %1:\n%2")
                .arg(QFile::decodeName(QByteArray::fromStdString(m_store.filePath(bytes))),
                     QString::fromLocal8Bit(std::strerror(err))));
        return false;
    }
    return true;
}

void PresetsMenu::choose(const QString& name) {
    const auto loaded = m_store.load(bytesOf(name));
    if (const auto* refusal = std::get_if<PresetRefusal>(&loaded)) {
        showPlainMessage(&m_window, QMessageBox::Critical,
                         tr("The preset was not used:\n%1")
                             .arg(QString::fromStdString(describeRefusal(*refusal))));
        return;
    }
    const auto& preset = std::get<Preset>(loaded);
    writeControls(preset);
}

void PresetsMenu::writeControls(const Preset& preset) {
    m_window.setMask(toQString(preset.mask));
    m_window.setSettings(preset.settings);
}

void PresetsMenu::manage() {
    PresetsDialog dialog(m_store, &m_window);
    dialog.exec();
}

} // namespace quillon
