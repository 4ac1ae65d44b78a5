// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CaseConversion.h"
#include "engine/FieldTokens.h"
#include "engine/Name.h"
#include "engine/Refusals.h"
#include "engine/ReplaceSettings.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// One press of "OK" as the preview list runs it, after taking the undo copy:
//
//     const auto compiled = quillon::compileReplace(settings, entryCount);
//     if (const auto* code = std::get_if<quillon::RefusalCode>(&compiled)) {
//         showError(quillon::refusalMessage(*code)); // and drop the undo copy
//         return;
//     }
//     const auto& plan = std::get<quillon::ReplacePlan>(compiled);
//     auto counter = plan.startCounter();
//     for (std::size_t i = 0; i < entryCount; ++i) {
//         if (!checked(i))
//             continue;
//         const auto& source = settings.cumulate ? undo[i] : disk[i];
//         preview[i] = quillon::applyReplace(plan, source, counter);
//     }

namespace quillon {

/// The three main operations a press of "OK" can run.
enum class ReplaceKind : std::uint8_t {
    RegularReplacement,
    Reformatting,
    FileNameReplacement,
    RegularExpression,
};

/// Classifies the Replace box, tested in this order: Reformatting when it
/// holds "/" and no "*"; Regular replacement when, with blanks (code points up
/// to U+0020) cut from both ends, it is anything but "*" (the empty text
/// included); File Name Replacement otherwise.
ReplaceKind classifyReplace(NameView pattern);

/// "Delete" as compiled: deleteLength characters from deletePos, counted from
/// the left or from the right.
struct DeleteNumbers {
    bool deleteFromLeft = true;
    int deletePos = 1;    ///< 1 to 255
    int deleteLength = 1; ///< 1 to 255
};

/// "Insert" as compiled: insertText before insertPos, counted from the left,
/// or from the right where 0 appends.
struct InsertNumbers {
    bool insertFromLeft = true;
    int insertPos = 0; ///< 0 to 255
    Name insertText;
};

/// The finishing steps that end every rebuilt name (`applyFinishingSteps`).
struct FinishingSteps {
    Scope scope = Scope::FileNamesOnly;
    std::optional<DeleteNumbers> deletion;
    std::optional<InsertNumbers> insertion;
    bool spacesFromPercent20AndUnderscore = true;
    bool deleteDigits = false;
    bool deleteExtraSpaces = true;
    bool updateCase = true;
    CaseMode caseMode = CaseMode::Smart;
    Scope caseScope = Scope::Both;
    SmartCaseOptions smartOptions;
};

/// Regular replacement: every Replace text within the scoped part of a name
/// becomes the With text.
struct RegularReplacement {
    Name from;
    Name to;
    bool caseSensitive = false;
    Scope scope = Scope::FileNamesOnly;
    /// toUpperSimple(from), searched for in the upper-cased name when !caseSensitive.
    Name upperFrom;
};

/// A regular expression and its With text, compiled (ICU lives behind it).
struct CompiledExpression;

/// Regular expression replacement: every match within the scoped part of a
/// name becomes the With text, in which "$1" to "$9" and "${name}" stand
/// for the match's groups. The compiled form is shared by the copies of a
/// plan and reused for every name; a plan is used by one thread at a time.
struct ExpressionReplacement {
    std::shared_ptr<CompiledExpression> expression;
    Scope scope = Scope::FileNamesOnly;
};

/// Where and why a regular expression or its With text does not compile.
struct ExpressionError {
    /// ICU's name for the fault ("U_REGEX_MISSING_CLOSE_PAREN"), or what is
    /// wrong with the With text.
    std::string message;
    /// 1-based, in characters of the text at fault; 0 where ICU names none.
    std::size_t position = 0;
    /// The fault is in the With text, not in the expression.
    bool inWithText = false;
};

/// Reformatting: the name part is cut into fields at the delimiters and
/// rebuilt from the template.
struct ReformatPattern {
    std::vector<Name> delimiters; ///< non-empty, in the order of the Replace text
    Name templateText;            ///< "/1/" to "/9/" stand for fields 1 to 9
};

/// What a File Name Replacement does with each entry's extension.
enum class ExtensionMode : std::uint8_t { Keep, Drop, Replace };

/// One piece of a name that File Name Replacement composes.
struct NamePiece {
    enum class Kind : std::uint8_t { Literal, Number, OldName };
    Kind kind = Kind::Literal;
    /// Where the piece stood in the With text; only the order matters.
    std::size_t position = 0;
    Name text; ///< Literal only
};

/// File Name Replacement, with Numbering as its number part.
struct FileNameReplacement {
    ExtensionMode extensionMode = ExtensionMode::Keep;
    Name newExtension;             ///< without the ".", ExtensionMode::Replace only
    std::vector<NamePiece> pieces; ///< ascending position
    std::uint64_t startNumber = 0;
    std::size_t padWidth = 0; ///< numbers are left-padded with "0" to this width; 0: no padding
};

/// The number that the next File Name Replacement entry receives. It is the
/// only thing that changes while one press runs, so it lives outside the plan.
class ReplaceCounter final {
public:
    explicit ReplaceCounter(std::uint64_t next = 0)
        : m_next(next) {}

    std::uint64_t next() const { return m_next; }
    /// Returns the next number and moves on by one.
    std::uint64_t take() { return m_next++; }

private:
    std::uint64_t m_next;
};

/// What one press of "OK" runs: the main operation of its kind and the
/// finishing steps. Compiled anew by every press; read-only while it runs.
struct ReplacePlan {
    std::variant<RegularReplacement, ReformatPattern, FileNameReplacement, ExpressionReplacement>
        operation;
    FinishingSteps finishing;
    /// The "<field>" tokens of the With text (Reformatting and File Name
    /// Replacement); their values are read from the files before the press.
    FieldTokens fields;

    ReplaceKind kind() const;
    /// A counter at the start number (0 for the kinds without numbers).
    ReplaceCounter startCounter() const;
};

/// Either the plan of a press or the reason it is refused.
using ReplaceCompilation = std::variant<ReplacePlan, RefusalCode>;

/// Checks and compiles the settings of one press of "OK". entryCount is the
/// number of entries in the preview list, checked or not (automatic number
/// padding reads it). Faults are reported first for Delete, then Insert, then
/// the Replace and With texts; only the first fault is returned. A refusal
/// changes no name: show refusalMessage(code) and drop the undo copy.
ReplaceCompilation compileReplace(const ReplaceSettings& settings, std::size_t entryCount);

/// Why compileReplace refuses settings with RefusalCode::InvalidExpression,
/// or nothing when their expression (if any) compiles.
std::optional<ExpressionError> expressionError(const ReplaceSettings& settings);

/// The new name of one checked entry from its source name (the preview name
/// before this press with "Cumulate", else the on-disk name). Call it for the
/// checked entries only, in ascending index order, with one counter per press
/// from plan.startCounter(): each File Name Replacement entry takes the next
/// number. A name that a Reformatting pattern does not fit comes back as
/// source, untouched by the finishing steps.
///
/// With tokens in the plan, values holds the entry's fields; an entry that
/// lacks one of them comes back as source, untouched and without taking a
/// number, and missing (when given) receives the fields it lacked. So does
/// an entry whose new name only its values make hidden (a leading ".") or
/// empty, as when "%20 and _ to spaces" leaves nothing of a title "_":
/// missing then names those values' fields.
Name applyReplace(const ReplacePlan& plan, NameView source, ReplaceCounter& counter,
                  const FieldValues* values = nullptr, FieldSet* missing = nullptr);

/// True once the match engine gave up on a name that plan's regular
/// expression was applied to: that name came back as it was, which is no
/// answer, so the press is to be refused (RefusalCode::ExpressionTooCostly).
bool replaceGaveUp(const ReplacePlan& plan);

} // namespace quillon
