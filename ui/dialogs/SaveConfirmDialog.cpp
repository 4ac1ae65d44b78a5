// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/SaveConfirmDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace quillon {

SaveConfirmDialog::SaveConfirmDialog(bool& createUndoFile, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_createUndoFile(createUndoFile) {
    setObjectName(QStringLiteral("SaveDialogBoxForm"));
    setWindowTitle(tr("Confirm"));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setFixedSize(41, 41);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(41, 41));
    auto* text = new QLabel(tr("Do you want to rename these files?"), this);
    text->setObjectName(QStringLiteral("StaticText1"));
    m_checkBox = new QCheckBox(tr("Create an undo file."), this);
    m_checkBox->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox->setChecked(true);
    connect(m_checkBox, &QCheckBox::toggled, this, &SaveConfirmDialog::undoFileChoiceChanged);

    auto* yes = new QPushButton(tr("Yes"), this);
    yes->setObjectName(QStringLiteral("Button1"));
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    auto* no = new QPushButton(tr("No"), this);
    no->setObjectName(QStringLiteral("Button2"));
    no->setAutoDefault(false);
    connect(no, &QPushButton::clicked, this, [this] { done(kNo); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(text);
    texts->addWidget(m_checkBox);
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    // 237 x 111 at 96 dpi; larger fonts may need more room.
    setFixedSize(sizeHint().expandedTo(QSize(237, 111)));
    yes->setFocus();
}

void SaveConfirmDialog::undoFileChoiceChanged() {
    m_createUndoFile = m_checkBox->isChecked();
}

} // namespace quillon
