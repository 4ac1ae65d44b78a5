// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"
#include "engine/Scope.h"

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

// All conversions take a whole file name (name part and extension, split at
// the last ".") and return a name of the same length that differs only in
// letter case. Words are split by the ASCII delimiters " !$%&(),-.@[]_{}~";
// "upper" and "lower" case are the Unicode simple mappings unless ASCII is
// said. Bytes that are not UTF-8 (U+DC80..U+DCFF) never change.

/// Title-cases a whole file name: words capitalised, small words (articles,
/// prepositions, conjunctions) lower case between words, words of three or
/// more consonants in capitals, known words (acronyms, names) in their fixed
/// spelling, plus "O'", "Mc", initialisms and the pronoun "I", as the options
/// choose. The name part is
/// lower-cased first, so the result does not depend on the input's case; the
/// extension is lowered in ASCII only.
Name smartCase(NameView name, const SmartCaseOptions& options);
/// Lower-cases the name part and capitalises its first character and every
/// character after a delimiter; the extension is lowered in ASCII only.
Name firstLettersCase(NameView name);
/// Upper case of the whole name, extension included.
Name upperCase(NameView name);
/// Lower case of the whole name, extension included.
Name lowerCase(NameView name);

/// Applies mode to name; None returns the name unchanged.
Name applyCaseMode(NameView name, CaseMode mode, const SmartCaseOptions& options);

/// applyCaseMode on the whole name, of which only the part scope names
/// takes the new case: the other part keeps its letters (under
/// ExtensionsOnly a name without a "." keeps all of them). The conversions
/// keep the length, so the parts line up.
Name applyCaseMode(NameView name, CaseMode mode, const SmartCaseOptions& options, Scope scope);

} // namespace quillon
