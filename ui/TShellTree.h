#pragma once

#include <QTreeView>

class QFileSystemModel;

namespace quillon {

/// The folder tree: every file-system folder from the root down, hidden
/// folders left out. The model watches the disk itself.
class TShellTree final : public QTreeView {
    Q_OBJECT
public:
    explicit TShellTree(QWidget* parent = nullptr);

    /// Path of the selected folder, empty when nothing is selected.
    QString selectedPath() const;
    /// Selects the folder at path, expanding its ancestors, and scrolls it
    /// into view; a path that names no folder changes nothing.
    void selectPath(const QString& path);

private:
    QFileSystemModel* m_model;
    /// The folder last selected by path, scrolled to again as its ancestors load.
    QString m_pending;
};

} // namespace quillon
