// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace quillon {

/// A label that acts like a link: hand cursor, click with the left button.
/// It takes the focus by Tab and runs by Enter or Space as well, and screen
/// readers meet it as a button named by its text.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& text, QWidget* parent);

    /// As a click with the mouse.
    void click();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quillon
