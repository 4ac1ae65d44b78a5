// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace quillon {

/// Lets a window take folders dropped on it from a file manager. A dropped
/// file stands for the folder that holds it; of several items the first
/// counts. A path that leads to no readable folder is told in an error box.
class FolderDrops final : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const QString& folder)>;

    /// Installs itself on window (which owns it) and calls open per drop.
    static void install(QWidget* window, Open open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FolderDrops(QWidget* window, Open open);

    QWidget* m_window;
    Open m_open;
};

} // namespace quillon
