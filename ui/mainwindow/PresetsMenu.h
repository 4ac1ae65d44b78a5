// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/presets/Preset.h"
#include "workspace/presets/PresetStore.h"

#include <QObject>

#include <memory>

class QMenu;
class QWidget;

namespace quillon {

class FileSystem;
class MainWindow;

/// The "Presets" submenu of File: saves the window's settings under a name,
/// writes a saved preset into the controls through the window's typed
/// setters (the groups' change handling runs once; nothing is applied), and
/// opens the dialog that renames and deletes presets.
class PresetsMenu final : public QObject {
    Q_OBJECT
public:
    /// disk: the menu's own, never the one a command uses on its worker
    /// thread, so that saving a preset during a long save cannot race it.
    PresetsMenu(MainWindow& window, std::unique_ptr<FileSystem> disk, const std::string& directory);

    /// Adds the submenu at the end of file.
    void addTo(QMenu* file);

    /// The window's mask, case and "Replace" settings as a preset.
    Preset currentSettings() const;
    /// Writes preset into the window's controls.
    void writeControls(const Preset& preset);
    /// Reads name and writes it into the controls; a preset that cannot be
    /// used is named in an error box and changes nothing.
    void choose(const QString& name);
    /// Saves the window's settings as name, asking before it replaces a
    /// preset; false when nothing was saved.
    bool saveAs(const QString& name);

    PresetStore& store() { return m_store; }

private:
    void fillMenu();
    void askNameAndSave();
    void manage();

    MainWindow& m_window;
    std::unique_ptr<FileSystem> m_disk;
    PresetStore m_store;
    QMenu* m_menu = nullptr;
};

} // namespace quillon
