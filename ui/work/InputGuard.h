// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace quillon {

/// While a command works, drops the user's input to the main window and its
/// menus, so that nothing typed or clicked meanwhile runs once the work is
/// done. Escape asks to cancel; the cancel button and the scroll bars stay
/// usable, and other windows (a question the work asks, the wizard, the
/// help) are not touched. Painting, moving and resizing go on as ever.
class InputGuard final : public QObject {
    Q_OBJECT
public:
    /// window: the main window; cancelButton: the one control that takes clicks.
    InputGuard(QWidget* window, QWidget* cancelButton);

    void setActive(bool active);

signals:
    void escapePressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToWindow(QObject* object) const;
    bool mayPass(QObject* watched, QEvent* event) const;

    QWidget* m_window;
    QPointer<QWidget> m_cancel;
    bool m_active = false;
};

} // namespace quillon
