// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardDeletePage.h"

#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/models/NameText.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace quillon {

using namespace wizard;

WizardDeletePage::WizardDeletePage(MainWindowAccess& mainWindow, SampleName sample, QWidget* parent)
    : WizardPage(mainWindow, parent)
    , m_sample(std::move(sample)) {
    QVBoxLayout* column = pageColumn(
        this,
        tr("This feature deletes a substring of n characters starting at the specified position."));
    QVBoxLayout* inner = nullptr;
    QWidget* group = sampleGroup(tr("Delete Substring"), this, inner);
    QLabel* intro = pageLabel(tr("Select the substring. What matters is not the substring "
                                 "itself but its position and length."),
                              group);
    intro->setWordWrap(true);
    inner->addWidget(intro);
    m_edit = new SampleEdit("W_Del_Edit", group);
    intro->setBuddy(m_edit);
    inner->addWidget(m_edit);
    m_fromStart = addSideChoice(inner, group,
                                {tr("Should the position of the substring be relative to the "
                                    "beginning or the end of the file names?"),
                                 tr("Beginning"), tr("End"), "W_Del_L2RCB", "W_Del_R2LCB"});
    column->addWidget(group);
    // NOLINTBEGIN(modernize-raw-string-literal): the translation keys on this text
    addFoot(column, tr("Click on OK when done to fill out the \"Pos\" and \"Length\" boxes."),
            "W_Del_OKButton", "W_Del_ClearButton");
    // NOLINTEND(modernize-raw-string-literal)
}

void WizardDeletePage::showSample(const QString& sample) {
    m_edit->setText(sample);
}

void WizardDeletePage::ok() {
    const QString shown = m_edit->text();
    const qsizetype start = m_edit->hasSelectedText() ? m_edit->selectionStart() : 0;
    const std::size_t s = codePointIndex(shown, start);
    const std::size_t end = codePointIndex(shown, start + m_edit->selectedText().size());
    const auto positions =
        deletePositions(s, end - s, codePointIndex(shown, shown.size()),
                        m_fromStart->isChecked() ? Anchor::Beginning : Anchor::End);
    if (!positions) {
        showMessage(translated("quillon::wizard", kDelNothingSelected));
        return;
    }
    mainWindow().setDeleteLength(QString::number(positions->length));
    mainWindow().setDeletePosition(QString::number(positions->position));
    mainWindow().setDeleteChecked(true);
}

void WizardDeletePage::clear() {
    m_edit->deselect();
    m_fromStart->setChecked(true);
    mainWindow().setDeletePosition(QString());
    mainWindow().setDeleteLength(QString());
    mainWindow().setDeleteChecked(false);
    m_edit->setText(m_sample());
}

} // namespace quillon
