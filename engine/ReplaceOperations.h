// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FieldTokens.h"
#include "engine/Name.h"
#include "engine/Refusals.h"
#include "engine/ReplacePlan.h"

#include <cstddef>
#include <functional>
#include <variant>
#include <vector>

namespace quillon {

/// The delimiters of a Reformatting Replace text: literal text and field
/// markers alternate, a marker being "/" and any run of "/" and "1" to "9"
/// after it; each literal is a delimiter, in order. The digits only end
/// markers, so "/1/ - /2/" and "/ - /" both give the one delimiter " - ".
std::vector<Name> compileDelimiters(NameView replaceText);

/// Compiles the With text of a File Name Replacement into its pieces, or the
/// first fault found (codes 12, 13, 23, 26, 22, 25, 31, 24, 11, 14 in that
/// order of testing). entryCount decides the width of automatic padding.
std::variant<FileNameReplacement, RefusalCode> compileFileNameReplacement(NameView withText,
                                                                          std::size_t entryCount);

/// The text of source that scope names, replaced by replace, put back into
/// the name and ended with `applyFinishingSteps`. Under ExtensionsOnly the
/// "." is never searched, a name without an extension is left alone, and an
/// extension replaced by nothing takes its "." with it.
Name replaceWithinScope(Scope scope, const FinishingSteps& steps, NameView source,
                        const std::function<Name(NameView)>& replace);

/// Compiles the expression and the With text of settings, or says why not.
/// The expression follows ICU's rules, with two consequences a user sees:
/// - each name may cost the match engine a fixed number of steps (about a
///   quarter of a second); an expression that backtracks past that on some
///   name leaves the name unchanged and marks the plan (replaceGaveUp), so a
///   press is refused rather than half done;
/// - matches are found from left to right, and an empty match is allowed at
///   the end, so ".*" matches twice: the whole name, then its empty end
///   ("song" with "x" gives "xx").
std::variant<ExpressionReplacement, ExpressionError>
compileExpression(const ReplaceSettings& settings);

/// True once the match engine gave up on a name (see replaceGaveUp).
bool expressionGaveUp(const ExpressionReplacement& pattern);

/// Regular expression replacement of one name, ending with `applyFinishingSteps`.
Name applyExpression(const ExpressionReplacement& pattern, const FinishingSteps& steps,
                     NameView source);

/// Regular replacement of one name, ending with `applyFinishingSteps`.
Name applyRegular(const RegularReplacement& pattern, const FinishingSteps& steps, NameView source);

/// Reformatting of one name; a name the pattern does not fit is returned as
/// it is, without finishing steps.
/// With fill, the token marks of the rebuilt name take the entry's values
/// before the finishing steps.
Name applyReformat(const ReformatPattern& pattern, const FinishingSteps& steps, NameView source,
                   const FieldFill* fill = nullptr);

/// File Name Replacement of one name; takes one number from counter.
Name applyNumbering(const FileNameReplacement& pattern, const FinishingSteps& steps,
                    NameView source, ReplaceCounter& counter, const FieldFill* fill = nullptr);

/// The finishing steps on one name: scope split, Delete, Insert, "%20 and _
/// to spaces", "Delete digits", "Delete extra spaces", reassembly, "Update case".
Name applyFinishingSteps(const FinishingSteps& steps, NameView name);

} // namespace quillon
