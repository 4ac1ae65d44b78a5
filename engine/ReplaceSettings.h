// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CaseConversion.h"
#include "engine/Name.h"
#include "engine/Scope.h"

#include <cstdint>

namespace quillon {

/// Everything of the "Replace/Reformat/Number" group that a press of "OK"
/// reads, as plain values with the main window's defaults. Texts hold exactly
/// what the boxes hold (the boxes' typing limits and key filters are the user
/// interface's business); compileReplace checks and converts them.
struct ReplaceSettings {
    Name find;                  ///< "Replace:"
    Name replaceWith;           ///< "With:"
    bool caseSensitive = false; ///< "Case sensitive" (Regular replacement only)
    /// "Regular expression": the Replace text is an ICU regular expression,
    /// "*" and "/" lose their pattern meaning, and the With text may name
    /// the expression's groups ("$1" to "$9", "${name}").
    bool regularExpression = false;
    bool updateCase = true;     ///< "Update case": apply caseMode to each new name
    bool cumulate = true;       ///< "Cumulate": start from the preview name, else the on-disk name
    bool deleteEnabled = false; ///< "Delete"
    Name deletePos;             ///< "Pos:" of Delete
    Name deleteLength;          ///< "Length:" of Delete
    bool insertEnabled = false; ///< "Insert"
    Name insertPos;             ///< "Pos:" of Insert
    Name insertText;            ///< "String:" of Insert
    bool spacesFromPercent20AndUnderscore = true; ///< "%20 and _ to spaces"
    bool deleteDigits = false;                    ///< "Delete digits"
    bool deleteExtraSpaces = true;                ///< "Delete extra spaces"
    Scope scope = Scope::FileNamesOnly;
    /// "Number equal names": after the press the workspace gives names that
    /// saving would find equal " (2)", " (3)" ... (the engine itself has no
    /// view of the folder).
    bool numberDuplicates = false;
    /// The "Case" group's mode and options, used by "Update case".
    CaseMode caseMode = CaseMode::Smart;
    /// The part of each name the case mode changes; the window always
    /// changes the whole name.
    Scope caseScope = Scope::Both;
    SmartCaseOptions smartOptions;
};

} // namespace quillon
