// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeView>

class QFileSystemModel;

namespace quillon {

/// The folder tree: every file-system folder from the root down, hidden
/// folders left out. The model watches the disk itself.
class FolderTree final : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    /// Path of the selected folder, empty when nothing is selected.
    QString selectedPath() const;
    /// Selects the folder at path, expanding its ancestors, and scrolls it
    /// into view; a path that names no folder changes nothing. Returns
    /// whether the folder is now selected.
    bool selectPath(const QString& path);

signals:
    /// The user has chosen a folder by keyboard: Enter. The arrow keys only
    /// move the selection.
    void folderChosenByKeyboard();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QFileSystemModel* m_model;
    /// The folder last selected by path, kept in view while the tree loads.
    QString m_pending;
};

} // namespace quillon
