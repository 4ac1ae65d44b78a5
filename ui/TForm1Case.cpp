#include "ui/TForm1.h"

#include "ui/WidgetHelpers.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillon {

namespace {

// Pause before a refresh so the control just clicked repaints first.
constexpr int kRepaintDelayMs = 10;

} // namespace

QGroupBox* TForm1::buildCaseGroup(QWidget* parent) {
    auto* group = named(new QGroupBox(tr8("Case"), parent), "Case_");
    group->setStyleSheet(
        QStringLiteral("QGroupBox { font-weight: normal; margin-top: 1.1em; }"
                       "QGroupBox::title { color: rgb(0, 70, 213); subcontrol-origin: margin; "
                       "left: 6px; }"));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 0, 6, 2);
    grid->setVerticalSpacing(0);
    const struct {
        const char* name;
        const char* caption;
        CaseMode mode;
        QRadioButton* TForm1::*member;
    } modes[] = {
        {"Case_Smart", "Smart", CaseMode::Smart, &TForm1::m_caseSmart},
        {"Case_FirstLetters", "First letters", CaseMode::FirstLetters, &TForm1::m_caseFirstLetters},
        {"Case_Lower", "Lowercase", CaseMode::Lowercase, &TForm1::m_caseLower},
        {"Case_Upper", "Uppercase", CaseMode::Uppercase, &TForm1::m_caseUpper},
        {"Case_None", "None", CaseMode::None, &TForm1::m_caseNone},
    };
    int row = 0;
    for (const auto& m : modes) {
        auto* radio = named(new QRadioButton(tr8(m.caption), group), m.name);
        radio->setChecked(m.mode == CaseMode::Smart);
        this->*m.member = radio;
        const CaseMode mode = m.mode;
        // A click on the mode already selected re-applies it, as does a double-click.
        connect(radio, &QRadioButton::clicked, this, [this, mode] { caseModeClicked(mode); });
        grid->addWidget(radio, row++, 0);
    }
    m_caseOptionsButton = imageButton("Case_Smart_Extra_FakeButton", Glyph::Options, group);
    connect(m_caseOptionsButton, &QToolButton::clicked, this,
            &TForm1::Case_Smart_Extra_ButtonClick);
    grid->addWidget(m_caseOptionsButton, 0, 1, Qt::AlignLeft);
    buildCaseExtraPanel();
    return group;
}

void TForm1::buildCaseExtraPanel() {
    auto* panel = named(new QFrame(this), "Case_Extra_Panel");
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto* column = new QGridLayout(panel);
    column->setContentsMargins(6, 4, 6, 4);
    column->setVerticalSpacing(0);
    column->addWidget(new QLabel(tr8("Always capitalize:"), panel), 0, 0);
    const struct {
        const char* name;
        const char* caption;
        bool checked;
        QCheckBox* TForm1::*member;
    } options[] = {
        {"Case_Smart_MostLetters", "Most first letters", true, &TForm1::m_smartMostLetters},
        {"Case_Smart_SmallWords", "Small words", false, &TForm1::m_smartSmallWords},
        {"Case_Smart_MostLetters_LastField", "Up to last delimiters", false,
         &TForm1::m_smartLastField},
        {"Case_Smart_Hyphen", "Hyphenated terms", true, &TForm1::m_smartHyphen},
        {"Case_Smart_Commas", "After commas", false, &TForm1::m_smartCommas},
        {"Case_Smart_UAcronyms", "Unknown acronyms", true, &TForm1::m_smartUAcronyms},
        {"Case_Smart_KAcronyms", "Known acro./words", true, &TForm1::m_smartKAcronyms},
    };
    for (const auto& o : options) {
        auto* box = named(new QCheckBox(tr8(o.caption), panel), o.name);
        box->setChecked(o.checked);
        this->*o.member = box;
    }
    // "Up to last delimiters" covers "Small words" when shown: same place.
    int row = 1;
    column->addWidget(m_smartMostLetters, row++, 0);
    column->addWidget(m_smartSmallWords, row, 0);
    column->addWidget(m_smartLastField, row++, 0);
    for (QCheckBox* box : {m_smartHyphen, m_smartCommas, m_smartUAcronyms, m_smartKAcronyms})
        column->addWidget(box, row++, 0);
    m_smartLastField->setEnabled(false);
    m_smartLastField->hide();
    m_smartLastField->raise();

    connect(m_smartMostLetters, &QCheckBox::clicked, this, &TForm1::Case_Smart_MostLettersClick);
    for (QCheckBox* box : {m_smartLastField, m_smartSmallWords, m_smartHyphen, m_smartCommas,
                           m_smartUAcronyms, m_smartKAcronyms})
        connect(box, &QCheckBox::clicked, this, &TForm1::smartOptionClicked);
    m_caseExtraPanel = panel;
    panel->hide();
}

CaseMode TForm1::selectedCaseMode() const {
    if (m_caseFirstLetters->isChecked())
        return CaseMode::FirstLetters;
    if (m_caseLower->isChecked())
        return CaseMode::Lowercase;
    if (m_caseUpper->isChecked())
        return CaseMode::Uppercase;
    if (m_caseNone->isChecked())
        return CaseMode::None;
    return CaseMode::Smart;
}

SmartCaseOptions TForm1::smartOptions() const {
    SmartCaseOptions o;
    o.mostLetters = m_smartMostLetters->isChecked();
    o.mostLettersLastField = m_smartLastField->isChecked();
    o.mostLettersLastFieldEnabled = m_smartLastField->isEnabled();
    o.smallWords = m_smartSmallWords->isChecked();
    o.hyphen = m_smartHyphen->isChecked();
    o.commas = m_smartCommas->isChecked();
    o.unknownAcronyms = m_smartUAcronyms->isChecked();
    o.knownWords = m_smartKAcronyms->isChecked();
    return o;
}

void TForm1::refreshCase() {
    showPreviewList();
    m_workspace.setCaseMode(selectedCaseMode(), smartOptions());
    m_workspace.rebuildPreview(PreviewRebuild::CaseReapply);
    m_state.enterRunsReplace = true;
}

void TForm1::caseModeClicked(CaseMode mode) {
    Delay(kRepaintDelayMs);
    if (mode == CaseMode::Smart) {
        m_caseOptionsButton->show();
    } else {
        m_caseExtraPanel->hide();
        m_caseOptionsButton->hide();
    }
    refreshCase();
}

void TForm1::Case_Smart_Extra_ButtonClick() {
    if (m_caseExtraPanel->isVisible()) {
        m_caseExtraPanel->hide();
        return;
    }
    placeCaseExtraPanel();
    m_caseExtraPanel->raise();
    m_caseExtraPanel->show();
}

void TForm1::Case_Smart_MostLettersClick() {
    Delay(kRepaintDelayMs);
    // Flips, whatever the new value: the boxes keep their checked states.
    m_smartSmallWords->setEnabled(!m_smartSmallWords->isEnabled());
    m_smartLastField->setEnabled(!m_smartLastField->isEnabled());
    m_smartLastField->setVisible(m_smartLastField->isHidden());
    refreshCase();
}

void TForm1::smartOptionClicked() {
    Delay(kRepaintDelayMs);
    refreshCase();
}

} // namespace quillon
