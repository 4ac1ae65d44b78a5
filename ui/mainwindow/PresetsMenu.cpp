// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/PresetsMenu.h"

#include "ui/dialogs/PresetsDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/models/NameText.h"
#include "ui/widgets/WidgetHelpers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

#include <cstring>

namespace quillon {

namespace {

std::string bytesOf(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

} // namespace

PresetsMenu::PresetsMenu(MainWindow& window, FileSystem& fs, const std::string& directory)
    : QObject(&window)
    , m_window(window)
    , m_store(fs, directory) {}

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
    preset.mask = toName(m_window.findChild<QLineEdit*>(QStringLiteral("FileMaskEdit"))->text());
    return preset;
}

void PresetsMenu::askNameAndSave() {
    bool given = false;
    const QString name =
        QInputDialog::getText(&m_window, tr("Save Current Settings As"), tr("Preset name:"),
                              QLineEdit::Normal, QString(), &given)
            .trimmed();
    if (given)
        saveAs(name);
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
    writeText("FileMaskEdit", toQString(preset.mask));
    writeCase(preset.settings);
    writeReplaceGroup(preset.settings);
}

void PresetsMenu::writeText(const char* name, const QString& text) {
    if (auto* edit = m_window.findChild<QLineEdit*>(QLatin1String(name)))
        edit->setText(text);
}

// As a click would, so the box's own handling runs, and only on a change; a
// disabled box (an option its neighbour switched off) just keeps the state.
void PresetsMenu::writeCheck(const char* name, bool checked) {
    auto* box = m_window.findChild<QAbstractButton*>(QLatin1String(name));
    if (!box || box->isChecked() == checked)
        return;
    if (box->isEnabled())
        box->click();
    else
        box->setChecked(checked);
}

void PresetsMenu::writeCase(const ReplaceSettings& settings) {
    static constexpr const char* kModes[] = {"Case_Smart", "Case_FirstLetters", "Case_Lower",
                                             "Case_Upper", "Case_None"};
    writeCheck(kModes[static_cast<int>(settings.caseMode)], true);
    struct OptionBox {
        const char* name;
        bool SmartCaseOptions::*option;
    };
    // The first decides which of the next two can be ticked.
    static constexpr OptionBox kOptions[] = {
        {"Case_Smart_MostLetters", &SmartCaseOptions::mostLetters},
        {"Case_Smart_MostLetters_LastField", &SmartCaseOptions::mostLettersLastField},
        {"Case_Smart_SmallWords", &SmartCaseOptions::smallWords},
        {"Case_Smart_Hyphen", &SmartCaseOptions::hyphen},
        {"Case_Smart_Commas", &SmartCaseOptions::commas},
        {"Case_Smart_UAcronyms", &SmartCaseOptions::unknownAcronyms},
        {"Case_Smart_KAcronyms", &SmartCaseOptions::knownWords},
    };
    for (const OptionBox& box : kOptions)
        writeCheck(box.name, settings.smartOptions.*box.option);
}

// The boxes through the assistants' way in, which writes them whole; the
// switches by click, so that each one's handling runs as the user's would.
void PresetsMenu::writeReplaceGroup(const ReplaceSettings& s) {
    MainWindowAccess& boxes = m_window.access();
    boxes.setReplaceText(toQString(s.find));
    boxes.setWithText(toQString(s.replaceWith));
    // Before "Case sensitive": an expression is what lets that box be ticked.
    writeCheck("Replace_Regex", s.regularExpression);
    writeCheck("Replace_Case", s.caseSensitive);
    writeCheck("Replace_UpdateCase", s.updateCase);
    writeCheck("SourceIsPreview", s.cumulate);
    boxes.setDeletePosition(toQString(s.deletePos));
    boxes.setDeleteLength(toQString(s.deleteLength));
    writeCheck("Replace_Trim", s.deleteEnabled);
    boxes.setInsertPosition(toQString(s.insertPos));
    boxes.setInsertString(toQString(s.insertText));
    writeCheck("Replace_Insert", s.insertEnabled);
    writeCheck("Replace_CharToSpaces", s.spacesFromPercent20AndUnderscore);
    writeCheck("Replace_DelDigits", s.deleteDigits);
    writeCheck("Replace_DelExtraSpaces", s.deleteExtraSpaces);
    writeCheck("Replace_NumberEqualNames", s.numberDuplicates);
    writeScope(s.scope);
}

// Through the toggles as the user clicks them: a part is brought back before
// the other is left out, so the scope never passes through "nothing".
void PresetsMenu::writeScope(Scope scope) {
    const bool names = scope != Scope::ExtensionsOnly;
    const bool extensions = scope != Scope::FileNamesOnly;
    const auto click = [this](const char* name) {
        if (auto* button = m_window.findChild<QAbstractButton*>(QLatin1String(name)))
            button->click();
    };
    if (names && m_window.scope() == Scope::ExtensionsOnly)
        click("Replace_Button_FN_Off");
    if (extensions && m_window.scope() == Scope::FileNamesOnly)
        click("Replace_Button_Ext_Off");
    if (!names && m_window.scope() != Scope::ExtensionsOnly)
        click("Replace_Button_FN_On");
    if (!extensions && m_window.scope() != Scope::FileNamesOnly)
        click("Replace_Button_Ext_On");
}

void PresetsMenu::manage() {
    PresetsDialog dialog(m_store, &m_window);
    dialog.exec();
}

} // namespace quillon
