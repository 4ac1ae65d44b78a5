#pragma once

#include "engine/CaseConversion.h"
#include "engine/Name.h"

#include <cstdint>

namespace quillon {

/// Which part of each name the operations work on.
enum class Scope : std::uint8_t {
    FileNamesOnly,  ///< the name part; the extension is kept aside
    ExtensionsOnly, ///< the extension with its "."; the name part is kept aside
    Both,           ///< the whole name
};

/// Everything of the "Replace/Reformat/Number" group that a press of "OK"
/// reads, as plain values with the main window's defaults. Members carry the
/// names of the controls they mirror; texts hold exactly what the boxes hold
/// (the boxes' typing limits and key filters are the user interface's business).
struct ReplaceSettings {
    Name Replace_From;                  ///< "Replace:"
    Name Replace_To;                    ///< "With:"
    bool Replace_Case = false;          ///< "Case sensitive" (Regular replacement only)
    bool Replace_UpdateCase = true;     ///< "Update case": apply caseMode to each new name
    bool SourceIsPreview = true;        ///< "Cumulate": the caller picks each source name by it
    bool Replace_Trim = false;          ///< "Delete"
    Name Replace_TrimFrom;              ///< "Pos:" of Delete
    Name Replace_TrimCount;             ///< "Length:" of Delete
    bool Replace_Insert = false;        ///< "Insert"
    Name Replace_InsertFrom;            ///< "Pos:" of Insert
    Name Replace_InsertString;          ///< "String:" of Insert
    bool Replace_CharToSpaces = true;   ///< "%20 and _ to spaces"
    bool Replace_DelDigits = false;     ///< "Delete digits"
    bool Replace_DelExtraSpaces = true; ///< "Delete extra spaces"
    Scope scope = Scope::FileNamesOnly;
    /// The "Case" group's mode and options, used by "Update case".
    CaseMode caseMode = CaseMode::Smart;
    SmartCaseOptions smartOptions;
};

} // namespace quillon
