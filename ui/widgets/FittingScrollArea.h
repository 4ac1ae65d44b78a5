// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

namespace quillon {

/// A frameless scroll area that asks for the whole size of its content and
/// shows it without scroll bars where there is room; on a small screen it
/// shrinks below that, down to its minimum height, and scrolls instead.
class FittingScrollArea final : public QScrollArea {
    Q_OBJECT
public:
    explicit FittingScrollArea(QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_scrollsSideways = false;
};

} // namespace quillon
