// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/CaseGroup.h"

#include "ui/widgets/WidgetHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace quillon {

namespace {

struct ModeButton {
    CaseMode mode;
    const char* name;
    const char* caption;
};

constexpr ModeButton kModeButtons[] = {
    {CaseMode::Smart, "Case_Smart", QT_TRANSLATE_NOOP("quillon::CaseGroup", "Smart")},
    {CaseMode::FirstLetters, "Case_FirstLetters",
     QT_TRANSLATE_NOOP("quillon::CaseGroup", "First letters")},
    {CaseMode::Lowercase, "Case_Lower", QT_TRANSLATE_NOOP("quillon::CaseGroup", "Lowercase")},
    {CaseMode::Uppercase, "Case_Upper", QT_TRANSLATE_NOOP("quillon::CaseGroup", "Uppercase")},
    {CaseMode::None, "Case_None", QT_TRANSLATE_NOOP("quillon::CaseGroup", "None")},
};

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
    m_modes = new QButtonGroup(this);
    int row = 0;
    for (const ModeButton& m : kModeButtons) {
        auto* radio = named(new QRadioButton(tr(m.caption), this), m.name);
        radio->setChecked(m.mode == CaseMode::Smart);
        m_modes->addButton(radio, static_cast<int>(m.mode));
        const CaseMode mode = m.mode;
        // A click on the mode already selected re-applies it, as does a double-click.
        connect(radio, &QRadioButton::clicked, this, [this, mode] { chooseMode(mode); });
        grid->addWidget(radio, row++, 0);
    }
    m_optionsButton = imageButton("Case_Smart_Extra_FakeButton", Glyph::Options, this, true);
    // Opened by a click, the panel leaves the focus on this button.
    m_optionsButton->installEventFilter(this);
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
    for (QCheckBox* box : panel->findChildren<QCheckBox*>())
        box->installEventFilter(this);
    m_lastField->setEnabled(false);
    m_lastField->hide();
    keepPlaceWhenHidden(m_lastField);
    keepPlaceWhenHidden(m_smallWords);

    connect(m_mostLetters, &QCheckBox::clicked, this, &CaseGroup::mostLettersToggled);
    for (QCheckBox* box :
         {m_lastField, m_smallWords, m_hyphen, m_commas, m_unknownAcronyms, m_knownWords})
        connect(box, &QCheckBox::clicked, this, &CaseGroup::changed);
    m_optionsPanel = panel;
    panel->hide();
}

CaseMode CaseGroup::mode() const {
    const int checked = m_modes->checkedId();
    return checked < 0 ? CaseMode::Smart : static_cast<CaseMode>(checked);
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

void CaseGroup::placeOptionsPanel() {
    // Over the lists, a little below the top of the panel that holds this group.
    const QPoint bottomLeft = parentWidget()->mapTo(m_optionsPanel->parentWidget(), QPoint(4, 14));
    m_optionsPanel->adjustSize();
    m_optionsPanel->move(bottomLeft - QPoint(0, m_optionsPanel->height()));
}

void CaseGroup::toggleOptionsPanel() {
    placeOptionsPanel();
    if (m_optionsPanel->isVisible()) {
        m_optionsPanel->hide();
        return;
    }
    m_optionsPanel->adjustSize();
    m_optionsPanel->raise();
    m_optionsPanel->show();
}

void CaseGroup::mostLettersToggled() {
    flipMostLettersPartners();
    emit changed();
}

// Flips, whatever the new value: the boxes keep their checked states.
void CaseGroup::flipMostLettersPartners() {
    m_smallWords->setEnabled(!m_smallWords->isEnabled());
    m_lastField->setEnabled(!m_lastField->isEnabled());
    m_lastField->setVisible(m_lastField->isHidden());
    m_smallWords->setVisible(m_lastField->isHidden());
}

void CaseGroup::setMode(CaseMode mode, const SmartCaseOptions& options) {
    bool different = mode != this->mode();
    if (m_mostLetters->isChecked() != options.mostLetters) {
        m_mostLetters->setChecked(options.mostLetters);
        flipMostLettersPartners();
        different = true;
    }
    const bool boxesChanged = setChecks({{m_lastField, options.mostLettersLastField},
                                         {m_smallWords, options.smallWords},
                                         {m_hyphen, options.hyphen},
                                         {m_commas, options.commas},
                                         {m_unknownAcronyms, options.unknownAcronyms},
                                         {m_knownWords, options.knownWords}});
    showMode(mode);
    if (different || boxesChanged)
        emit changed();
}

void CaseGroup::chooseMode(CaseMode mode) {
    showOptionsButtonFor(mode);
    emit changed();
}

void CaseGroup::showOptionsButtonFor(CaseMode mode) {
    if (mode == CaseMode::Smart) {
        m_optionsButton->show();
    } else {
        m_optionsPanel->hide();
        m_optionsButton->hide();
    }
}

void CaseGroup::showMode(CaseMode mode) {
    if (QAbstractButton* radio = m_modes->button(static_cast<int>(mode)))
        radio->setChecked(true);
    showOptionsButtonFor(mode);
}

// Escape inside the options panel, or on its button while it is open,
// closes it, as the button does.
bool CaseGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        (watched != m_optionsButton || m_optionsPanel->isVisible())) {
        toggleOptionsPanel();
        m_optionsButton->setFocus();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace quillon
