// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/TopStrip.h"

#include "ui/widgets/KeyFilter.h"
#include "ui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace quillon {

TopStrip::TopStrip(const QList<QMenu*>& menus, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("TopStrip"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(4);
    row->addWidget(buildMenuBar(menus));
    row->addWidget(buildPanel());
    row->addStretch(1);
}

// A real menu bar: the keyboard walks from menu to menu with Left and Right,
// and Alt with each menu's letter opens it.
QWidget* TopStrip::buildMenuBar(const QList<QMenu*>& menus) {
    auto* bar = named(new QMenuBar(this), "mainmenu1");
    // It lives in this strip, also on desktops that show menus elsewhere.
    bar->setNativeMenuBar(false);
    // Narrower than its menus, it keeps the first and gathers the others
    // behind its extension button, so the strip fits small screens.
    bar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (QMenu* menu : menus)
        bar->addMenu(menu);
    return bar;
}

QWidget* TopStrip::buildPanel() {
    auto* panel = named(new QWidget(this), "Panel3");
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->setContentsMargins(0, 0, 0, 0);
    panelRow->setSpacing(4);
    // In the Tab order, so keyboards and screen readers reach them too.
    auto* reload = imageButton("ReloadFromDisk_Button2", Glyph::Reload, panel, true);
    connect(reload, &QToolButton::clicked, this, &TopStrip::reloadPressed);
    m_commands.append(reload);
    panelRow->addWidget(reload);
    auto* save = imageButton("SaveToDisk_Button2", Glyph::Save, panel, true);
    connect(save, &QToolButton::clicked, this, &TopStrip::savePressed);
    m_commands.append(save);
    panelRow->addWidget(save);
    panelRow->addWidget(buildPreviewPlace(panel));

    auto* maskLabel = new QLabel(tr("Mask:"), panel);
    panelRow->addWidget(maskLabel);
    m_mask = named(new QLineEdit(QStringLiteral("*.*"), panel), "FileMaskEdit");
    fitWidthTo(m_mask, QStringLiteral("*.mpeg4"));
    maskLabel->setBuddy(m_mask);
    installKeyRule(m_mask, KeyRule{notInFileNames(), {}, {}, {}, {}});
    m_mask->installEventFilter(this); // a click counts as a change of the mask
    connect(m_mask, &QLineEdit::textChanged, this, &TopStrip::maskEdited);
    panelRow->addWidget(m_mask);
    // Reached by its key (named in its tooltip), not by Tab.
    auto* clear = imageButton("FileMaskEdit_ClearFakeButton", Glyph::Clear, panel);
    clear->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    connect(clear, &QToolButton::clicked, this, &TopStrip::maskClearPressed);
    m_commands.append(clear);
    panelRow->addWidget(clear);
    return panel;
}

// While long work runs, the progress bar and its cancel button lie over the
// check box in the same place.
QWidget* TopStrip::buildPreviewPlace(QWidget* parent) {
    auto* previewPlace = new QWidget(parent);
    auto* stack = new QGridLayout(previewPlace);
    stack->setContentsMargins(0, 0, 0, 0);
    m_previewBox = named(new QCheckBox(tr("Preview"), previewPlace), "DisplayPreview_CB");
    m_previewBox->setChecked(true);
    connect(m_previewBox, &QCheckBox::toggled, this, &TopStrip::previewToggled);
    m_working = new QWidget(previewPlace);
    auto* workingRow = new QHBoxLayout(m_working);
    workingRow->setContentsMargins(0, 0, 0, 0);
    workingRow->setSpacing(2);
    m_progress = named(new QProgressBar(m_working), "ProgressBar");
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    workingRow->addWidget(m_progress, 1);
    m_cancel = named(new QPushButton(tr("Cancel"), m_working), "CancelButton");
    m_cancel->setToolTip(tr("Stop the work in progress (Esc)."));
    m_cancel->setCursor(Qt::ArrowCursor);
    connect(m_cancel, &QPushButton::clicked, this, &TopStrip::cancelPressed);
    workingRow->addWidget(m_cancel);
    m_working->hide();
    // The place keeps the width of the wider of the two, whichever shows.
    keepPlaceWhenHidden(m_previewBox);
    keepPlaceWhenHidden(m_working);
    stack->addWidget(m_previewBox, 0, 0);
    stack->addWidget(m_working, 0, 0);
    return previewPlace;
}

bool TopStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mask && event->type() == QEvent::MouseButtonPress)
        emit maskEdited();
    return QWidget::eventFilter(watched, event);
}

bool TopStrip::previewShown() const {
    return m_previewBox->isChecked();
}

void TopStrip::setPreviewShown(bool shown) {
    m_previewBox->setChecked(shown);
}

void TopStrip::setPreviewBoxEnabled(bool enabled) {
    m_previewBox->setEnabled(enabled);
}

QString TopStrip::mask() const {
    return m_mask->text();
}

void TopStrip::resetMask() {
    m_mask->setText(QStringLiteral("*.*"));
}

void TopStrip::setMask(const QString& mask) {
    m_mask->setText(mask);
}

void TopStrip::setStartMask(const QString& mask) {
    const QSignalBlocker quiet(m_mask);
    m_mask->setText(mask);
    m_mask->setCursorPosition(0);
}

void TopStrip::showProgress(bool shown) {
    if (!shown) {
        m_working->hide();
        m_previewBox->show();
        return;
    }
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_previewBox->hide();
    m_working->show();
}

void TopStrip::setProgress(int percent) {
    if (percent < 0) {
        m_progress->setRange(0, 0); // length unknown: the bar runs to and fro
        return;
    }
    m_progress->setRange(0, 100);
    m_progress->setValue(percent);
}

void TopStrip::setCommandsEnabled(bool enabled) {
    for (QWidget* control : m_commands)
        control->setEnabled(enabled);
}

QWidget* TopStrip::cancelButton() const {
    return m_cancel;
}

} // namespace quillon
