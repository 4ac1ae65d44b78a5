#pragma once

#include "engine/Name.h"

#include <cstdint>

namespace quillon {

/// The five case modes of the "Case" group.
enum class CaseMode : std::uint8_t { Smart, FirstLetters, Lowercase, Uppercase, None };

/// The seven "Always capitalize:" options, as values.
struct SmartCaseOptions {
    bool mostLetters = true;
    bool mostLettersLastField = false;
    /// "Up to last delimiters" only takes effect while it is enabled.
    bool mostLettersLastFieldEnabled = false;
    bool smallWords = false;
    bool hyphen = true;
    bool commas = false;
    bool unknownAcronyms = true;
    bool knownWords = true;

    bool operator==(const SmartCaseOptions&) const = default;
};

/// Builds the lower-case keys of the word tables. Conversions prepare them on
/// first use anyway; calling this at start moves that cost out of the first load.
void prepareCaseTables();

/// Title-cases a whole file name (name part and extension).
Name SetSmartCase(NameView name, const SmartCaseOptions& options);
/// Capitalises the first character after every delimiter.
Name SetFirstLettersCase(NameView name);
Name SetUpperCase(NameView name);
Name SetLowerCase(NameView name);

/// Applies mode to name; None returns the name unchanged.
Name applyCaseMode(NameView name, CaseMode mode, const SmartCaseOptions& options);

} // namespace quillon
