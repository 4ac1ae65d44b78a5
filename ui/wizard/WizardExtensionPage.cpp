// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardExtensionPage.h"

#include "ui/models/NameText.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/Palette.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quillon {

using namespace wizard;

WizardExtensionPage::WizardExtensionPage(MainWindowAccess& mainWindow, QWidget* parent)
    : WizardPage(mainWindow, parent) {
    QVBoxLayout* column =
        pageColumn(this, tr("This feature replaces all file names' extensions. Do "
                            "not enter anything if you want to delete the "
                            "extensions."));
    auto* row = new QHBoxLayout;
    QVBoxLayout* inner = nullptr;
    QWidget* group = sampleGroup(tr("New Extension"), this, inner);
    QLabel* hint =
        pageLabel(tr("Do not type a period as part of the extension. For example, type \"mpg\" not "
                     "\".mpg\"."),
                  group);
    hint->setWordWrap(true);
    inner->addWidget(hint);
    auto* editRow = new QHBoxLayout;
    QLabel* extensionLabel = pageLabel(tr("New extension:"), group);
    editRow->addWidget(extensionLabel);
    m_extension = typingEdit("W_Extension_Edit1", 15, TypingRule::FileNameCharacters, group);
    extensionLabel->setBuddy(m_extension);
    m_extension->setFixedWidth(70);
    editRow->addWidget(m_extension);
    editRow->addStretch(1);
    inner->addLayout(editRow);
    row->addWidget(group, 1);
    row->addWidget(buildNote());
    column->addLayout(row);
    // NOLINTBEGIN(modernize-raw-string-literal): the translation keys on this text
    addFoot(column, tr("Click on OK when done to fill out the \"Replace\" and \"With\" boxes."),
            "Button2", "Button3");
    // NOLINTEND(modernize-raw-string-literal)
}

// How to rename one extension only, with the pictures of the two scope
// toggles that give "Extensions only".
QWidget* WizardExtensionPage::buildNote() {
    auto* note = new QWidget(this);
    note->setObjectName(QStringLiteral("W_Extension_NotePanel"));
    applyDesignedBackground(note, QColor(255, 255, 242));
    auto* lines = new QVBoxLayout(note);
    lines->setContentsMargins(6, 4, 6, 4);
    lines->setSpacing(0);
    for (const char* line : {QT_TR_NOOP("If you want to rename only one extension"),
                             QT_TR_NOOP("type, close the wizard.   Enter the current"),
                             QT_TR_NOOP("extension type in the \"Replace\" box and"),
                             QT_TR_NOOP("the new extension type in the \"With\" box.")})
        lines->addWidget(pageLabel(tr(line), note));
    auto* last = new QHBoxLayout;
    last->setSpacing(3);
    last->addWidget(pageLabel(tr("Do not forget to select"), note));
    auto* namesOff = new QLabel(note);
    namesOff->setPixmap(glyphIcon(Glyph::ScopeNamesOff, 15).pixmap(15, 15));
    last->addWidget(namesOff);
    last->addWidget(pageLabel(tr("and"), note));
    auto* extensionsOn = new QLabel(note);
    extensionsOn->setPixmap(glyphIcon(Glyph::ScopeExtensionsOn, 15).pixmap(15, 15));
    last->addWidget(extensionsOn);
    last->addWidget(pageLabel(tr("."), note));
    last->addStretch(1);
    lines->addLayout(last);
    return note;
}

void WizardExtensionPage::ok() {
    writePatterns(QStringLiteral("*"), toQString(composeExtension(toName(m_extension->text()))));
}

void WizardExtensionPage::clear() {
    m_extension->clear();
    writePatterns(QString(), QString());
}

} // namespace quillon
