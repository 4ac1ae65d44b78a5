// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindowTooltips.h"

#include "ui/widgets/WidgetHelpers.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeySequence>
#include <QWidget>

namespace quillon {

namespace {

constexpr int kTooltipMs = 25000;

struct Tooltip {
    const char* control;
    const char* text;
};

// In the order they are assigned; controls that are not built are skipped.
constexpr Tooltip kTooltips[] = {
    {"Case_Smart", QT_TRANSLATE_NOOP("quillon::MainWindow", "Smart capitalization.")},
    {"Case_Smart_MostLetters",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "First letters except \"Small words.\"")},
    {"Case_Smart_MostLetters_LastField",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Most words up to the last delimiters.")},
    {"Case_Smart_SmallWords",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Articles, prepositions, and\ncoordinate conjunctions.")},
    {"Case_Smart_Hyphen",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Second elements of\nhyphenated terms.")},
    {"Case_Smart_Commas", QT_TRANSLATE_NOOP("quillon::MainWindow", "Words following commas.")},
    {"Case_Smart_KAcronyms",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Known words (including acronyms), and initialisms.")},
    {"Case_Smart_UAcronyms",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Unknown \"acronyms\" (initialisms).")},
    {"Case_FirstLetters", QT_TRANSLATE_NOOP("quillon::MainWindow", "First-letter capitalization.")},
    {"Case_Lower", QT_TRANSLATE_NOOP("quillon::MainWindow", "Lowercase letters.")},
    {"Case_Upper", QT_TRANSLATE_NOOP("quillon::MainWindow", "Uppercase letters.")},
    {"Case_None", QT_TRANSLATE_NOOP("quillon::MainWindow",
                                    "No change. Unsaved string\nreplacements will be lost")},
    {"Case_Smart_Extra_FakeButton", QT_TRANSLATE_NOOP("quillon::MainWindow", "Options.")},
    {"Replace_From",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Enter the search string.\nSee Help for reformatting\nand numbering.")},
    {"Replace_To",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Enter the replacement string.\nSee Help for reformatting\nand numbering.")},
    {"Replace_ClearFromToBoxesFakeButton",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Clear the \"Replace\" and\n\"With\" edit boxes.")},
    {"Replace_OptionsWizard", QT_TRANSLATE_NOOP("quillon::MainWindow", "Wizard.")},
    {"Replace_Case", QT_TRANSLATE_NOOP("quillon::MainWindow", "Case-sensitive search.")},
    {"Replace_Regex",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "The Replace text is a regular expression;\n$1 to $9 in the With text "
                       "stand for its groups.")},
    {"Replace_Button", QT_TRANSLATE_NOOP("quillon::MainWindow", "Update the preview list.")},
    {"Replace_Undo_Button",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Undo the last change\nmade to the preview list.")},
    {"UpdatePreview",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Undo all changes made\nto the preview list.")},
    {"Replace_UpdateCase",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Update case after replacements.")},
    {"Replace_Button_FN_Off",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Click if you want to perform\noperations on file names.")},
    {"Replace_Button_FN_On",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Click if you do not want to perform\noperations on file names.")},
    {"Replace_Button_Ext_Off",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Click if you want to perform\noperations on extensions.")},
    {"Replace_Button_Ext_On",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Click if you do not want to perform\noperations on extensions.")},
    {"Replace_TrimFrom",
     QT_TRANSLATE_NOOP(
         "quillon::MainWindow",
         "Enter the position of the first character to\nbe deleted. Counting left to right, "
         "the\nposition of first character is one. Counting\nright to left, the position of the "
         "last character\nis -1, the position of the character before it is\n-2, and so on.")},
    {"Replace_TrimCount",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Enter the number of characters\nto be deleted.")},
    {"Replace_Trim",
     QT_TRANSLATE_NOOP(
         "quillon::MainWindow",
         "Delete a substring of the\nspecified length (Length) at\nthe specified position (Pos).")},
    {"Replace_InsertFrom",
     QT_TRANSLATE_NOOP(
         "quillon::MainWindow",
         "Enter the position at which you want to insert a\nstring.  Counting left to right, the "
         "position of the\nfirst character is one.  Counting right to left, the\nposition after "
         "the last character is zero,  the po-\nsition of the last character is -1,  and so on.")},
    {"Replace_InsertString",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Enter the string to be inserted.")},
    {"Replace_Insert",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Insert the specified string (String)\nat the specified position (Pos).")},
    {"Replace_CharToSpaces",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Replace %20 and _ with spaces")},
    {"Replace_DelDigits", QT_TRANSLATE_NOOP("quillon::MainWindow", "Delete digits")},
    {"Replace_DelExtraSpaces", QT_TRANSLATE_NOOP("quillon::MainWindow", "Delete extra spaces")},
    {"Replace_NumberEqualNames",
     QT_TRANSLATE_NOOP("quillon::MainWindow",
                       "Give names that would be equal \" (2)\", \" (3)\" ...\nbefore the "
                       "extension, so that they can be saved.")},
    {"HelpButton", QT_TRANSLATE_NOOP("quillon::MainWindow", "Help.")},
    {"ReloadFromDisk_Button2", QT_TRANSLATE_NOOP("quillon::MainWindow", "Reload from disk.")},
    {"FileMaskEdit",
     QT_TRANSLATE_NOOP(
         "quillon::MainWindow",
         "Enter a new mask and hit the Enter key.\nUnsaved string replacements will be lost.")},
    {"FileMaskEdit_ClearFakeButton",
     QT_TRANSLATE_NOOP(
         "quillon::MainWindow",
         "Reset the mask to *.* and\nreload. Unsaved string\nreplacements will be lost.")},
    {"SaveToDisk_Button2", QT_TRANSLATE_NOOP("quillon::MainWindow", "Save to disk.")},
    {"SourceIsPreview", QT_TRANSLATE_NOOP("quillon::MainWindow", "Cumulate replacements.")},
    {"DisplayPreview_CB", QT_TRANSLATE_NOOP("quillon::MainWindow", "Preview list/Folder list")},
    {"FileBox_Preview",
     QT_TRANSLATE_NOOP("quillon::MainWindow", "Right click to display\nthe contextual menu.")},
};

// A control kept out of the Tab order tells the key that reaches it.
QString withShortcut(const QWidget* control, const QString& tip) {
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    if (!button || button->shortcut().isEmpty())
        return tip;
    return tip + QLatin1Char('\n') +
           QCoreApplication::translate("quillon::MainWindow", "Shortcut: %1")
               .arg(button->shortcut().toString(QKeySequence::NativeText));
}

} // namespace

void assignMainWindowTooltips(QWidget* window) {
    for (const Tooltip& t : kTooltips) {
        if (auto* w = window->findChild<QWidget*>(QString::fromLatin1(t.control))) {
            // The hints keep the main window's context in the translations.
            w->setToolTip(
                withShortcut(w, QCoreApplication::translate("quillon::MainWindow", t.text)));
            w->setToolTipDuration(kTooltipMs);
        }
    }
    nameControlsForScreenReaders(window);
}

} // namespace quillon
