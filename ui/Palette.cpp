// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Palette.h"

#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// Normal-size text needs 4.5:1 to be readable by most users.
constexpr double kReadableContrast = 4.5;

double channel(double value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) +
           0.0722 * channel(rgb.blue());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDarkPalette(const QPalette& palette) {
    return luminance(palette.color(QPalette::Window)) < 0.4;
}

void applyDesignedBackground(QWidget* widget, const QColor& background) {
    QPalette pal = widget->palette();
    if (isDarkPalette(pal))
        return;
    pal.setColor(QPalette::Window, background);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText}) {
        if (contrastRatio(pal.color(role), background) < kReadableContrast)
            pal.setColor(role, Qt::black);
    }
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

QColor readableColour(const QColor& designed, const QColor& background, const QPalette& palette) {
    if (contrastRatio(designed, background) >= kReadableContrast)
        return designed;
    const QColor link = palette.color(QPalette::Link);
    if (contrastRatio(link, background) >= kReadableContrast)
        return link;
    return palette.color(QPalette::WindowText);
}

} // namespace quillon
