// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CaseGroup.h"

#include "ui/KeyFilter.h"
#include "ui/WidgetHelpers.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace quillon {

namespace {

constexpr CaseMode kModes[] = {CaseMode::Smart, CaseMode::FirstLetters, CaseMode::Lowercase,
                               CaseMode::Uppercase, CaseMode::None};

} // namespace

CaseGroup::CaseGroup(QWidget* panelHost, QWidget* parent)
    : QGroupBox(tr("Case"), parent) {
    setObjectName(QStringLiteral("Case_"));
    styleCaptionGroup(this);
    buildModes();
    buildOptionsPanel(panelHost);
}

void CaseGroup::buildModes() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 0, 6, 2);
    grid->setVerticalSpacing(0);
    const struct {
        const char* name;
        const char* caption;
    } modes[] = {
        {"Case_Smart", QT_TR_NOOP("Smart")},     {"Case_FirstLetters", QT_TR_NOOP("First letters")},
        {"Case_Lower", QT_TR_NOOP("Lowercase")}, {"Case_Upper", QT_TR_NOOP("Uppercase")},
        {"Case_None", QT_TR_NOOP("None")},
    };
    for (int i = 0; i < 5; ++i) {
        auto* radio = named(new QRadioButton(tr(modes[i].caption), this), modes[i].name);
        radio->setChecked(kModes[i] == CaseMode::Smart);
        m_modes[i] = radio;
        const CaseMode mode = kModes[i];
        // A click on the mode already selected re-applies it, as does a double-click.
        connect(radio, &QRadioButton::clicked, this, [this, mode] { modeClicked(mode); });
        grid->addWidget(radio, i, 0);
    }
    m_optionsButton = imageButton("Case_Smart_Extra_FakeButton", Glyph::Options, this, true);
    // Hidden outside Smart; the group keeps its width so the group beside it stays put.
    keepPlaceWhenHidden(m_optionsButton);
    connect(m_optionsButton, &QToolButton::clicked, this, &CaseGroup::toggleOptionsPanel);
    grid->addWidget(m_optionsButton, 0, 1, Qt::AlignLeft);
}

void CaseGroup::buildOptionsPanel(QWidget* panelHost) {
    auto* panel = named(new QFrame(panelHost), "Case_Extra_Panel");
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto* column = new QGridLayout(panel);
    column->setContentsMargins(6, 4, 6, 4);
    column->setVerticalSpacing(0);
    column->addWidget(new QLabel(tr("Always capitalize:"), panel), 0, 0);
    const struct {
        const char* name;
        const char* caption;
        bool checked;
        QCheckBox* CaseGroup::*member;
    } options[] = {
        {"Case_Smart_MostLetters", QT_TR_NOOP("Most first letters"), true,
         &CaseGroup::m_mostLetters},
        {"Case_Smart_SmallWords", QT_TR_NOOP("Small words"), false, &CaseGroup::m_smallWords},
        {"Case_Smart_MostLetters_LastField", QT_TR_NOOP("Up to last delimiters"), false,
         &CaseGroup::m_lastField},
        {"Case_Smart_Hyphen", QT_TR_NOOP("Hyphenated terms"), true, &CaseGroup::m_hyphen},
        {"Case_Smart_Commas", QT_TR_NOOP("After commas"), false, &CaseGroup::m_commas},
        {"Case_Smart_UAcronyms", QT_TR_NOOP("Unknown acronyms"), true,
         &CaseGroup::m_unknownAcronyms},
        {"Case_Smart_KAcronyms", QT_TR_NOOP("Known acro./words"), true, &CaseGroup::m_knownWords},
    };
    for (const auto& o : options) {
        auto* box = named(new QCheckBox(tr(o.caption), panel), o.name);
        box->setChecked(o.checked);
        this->*o.member = box;
    }
    // "Up to last delimiters" takes the place of "Small words" when shown.
    int row = 1;
    column->addWidget(m_mostLetters, row++, 0);
    column->addWidget(m_smallWords, row, 0);
    column->addWidget(m_lastField, row++, 0);
    for (QCheckBox* box : {m_hyphen, m_commas, m_unknownAcronyms, m_knownWords})
        column->addWidget(box, row++, 0);
    m_lastField->setEnabled(false);
    m_lastField->hide();
    keepPlaceWhenHidden(m_lastField);
    keepPlaceWhenHidden(m_smallWords);

    connect(m_mostLetters, &QCheckBox::clicked, this, &CaseGroup::flipMostLettersOptions);
    for (QCheckBox* box :
         {m_lastField, m_smallWords, m_hyphen, m_commas, m_unknownAcronyms, m_knownWords})
        connect(box, &QCheckBox::clicked, this, &CaseGroup::changed);
    m_optionsPanel = panel;
    panel->hide();
}

CaseMode CaseGroup::mode() const {
    for (int i = 0; i < 5; ++i) {
        if (m_modes[i]->isChecked())
            return kModes[i];
    }
    return CaseMode::Smart;
}

SmartCaseOptions CaseGroup::smartOptions() const {
    SmartCaseOptions o;
    o.mostLetters = m_mostLetters->isChecked();
    o.mostLettersLastField = m_lastField->isChecked();
    o.mostLettersLastFieldEnabled = m_lastField->isEnabled();
    o.smallWords = m_smallWords->isChecked();
    o.hyphen = m_hyphen->isChecked();
    o.commas = m_commas->isChecked();
    o.unknownAcronyms = m_unknownAcronyms->isChecked();
    o.knownWords = m_knownWords->isChecked();
    return o;
}

void CaseGroup::placeOptionsPanel(QPoint bottomLeft) {
    m_optionsPanel->adjustSize();
    m_optionsPanel->move(bottomLeft - QPoint(0, m_optionsPanel->height()));
}

void CaseGroup::toggleOptionsPanel() {
    if (m_optionsPanel->isVisible()) {
        m_optionsPanel->hide();
        return;
    }
    m_optionsPanel->adjustSize();
    m_optionsPanel->raise();
    m_optionsPanel->show();
}

void CaseGroup::flipMostLettersOptions() {
    // Flips, whatever the new value: the boxes keep their checked states.
    m_smallWords->setEnabled(!m_smallWords->isEnabled());
    m_lastField->setEnabled(!m_lastField->isEnabled());
    m_lastField->setVisible(m_lastField->isHidden());
    m_smallWords->setVisible(m_lastField->isHidden());
    emit changed();
}

void CaseGroup::modeClicked(CaseMode mode) {
    if (mode == CaseMode::Smart) {
        m_optionsButton->show();
    } else {
        m_optionsPanel->hide();
        m_optionsButton->hide();
    }
    emit changed();
}

} // namespace quillon
