// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/Palette.h"

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

QPalette darkPalette() {
    const QColor window(45, 45, 48);
    const QColor base(30, 30, 32);
    const QColor text(225, 225, 225);
    const QColor disabled(120, 120, 120);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Light, QColor(70, 70, 74));
    palette.setColor(QPalette::Midlight, QColor(60, 60, 64));
    palette.setColor(QPalette::Mid, QColor(40, 40, 43));
    palette.setColor(QPalette::Dark, QColor(20, 20, 22));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(90, 160, 255));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    return palette;
}

} // namespace quillon
