// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

// What the wizard's pages compute, apart from their widgets, so that it can
// be checked without a window. Texts are code points like the engine's names;
// messages are UTF-8.
// Marks the messages for the translation tools without pulling Qt in: the
// window translates them when it shows them.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace quillon::wizard {

inline constexpr std::string_view kDelNothingSelected =
    QT_TRANSLATE_NOOP("quillon::wizard", "Select the substring with the mouse.");
inline constexpr std::string_view kInsNoMarker =
    QT_TRANSLATE_NOOP("quillon::wizard", "Click where you want to insert a string.");
inline constexpr std::string_view kInsNoString =
    QT_TRANSLATE_NOOP("quillon::wizard", "No string entered.");

inline constexpr std::string_view kNumberOnlyOnce = QT_TRANSLATE_NOOP(
    "quillon::wizard", "You may select \"Numbers\" and \"Old File Names\" only once.");
inline constexpr std::string_view kNumberNothingChosen =
    QT_TRANSLATE_NOOP("quillon::wizard", "You must select \"Numbers\" and/or \"Old File Names.\"");
// Our own: "/1/" followed by "." opens an extension token that is never
// closed, so the main window's OK would refuse the pair.
inline constexpr std::string_view kNumberPeriodAfterNumber =
    QT_TRANSLATE_NOOP("quillon::wizard", "The text after \"Numbers\" cannot begin with a period.");

inline constexpr std::string_view kReformatNoSecondDelimiter =
    QT_TRANSLATE_NOOP("quillon::wizard", "You must enter a delimiter in the second delimiter box.");
inline constexpr std::string_view kReformatNoThirdDelimiter =
    QT_TRANSLATE_NOOP("quillon::wizard", "You must enter a delimiter if you select \"Field 3.\"");
inline constexpr std::string_view kReformatDelimiterWithoutField3 = QT_TRANSLATE_NOOP(
    "quillon::wizard", "You must select \"Field 3\" if you want to specify a delimiter.");
inline constexpr std::string_view kReformatField3NotCurrent =
    QT_TRANSLATE_NOOP("quillon::wizard", "You did not select \"Field 3\" for the current format.");
// Our own: digits 1 to 9 right after a field marker join the marker, so such
// a delimiter would silently lose its leading digits.
inline constexpr std::string_view kReformatDigitAfterField = QT_TRANSLATE_NOOP(
    "quillon::wizard", "A delimiter that follows a field cannot begin with a digit from 1 to 9.");

/// Which part of each preview name the sample is cut from.
enum class SampleCut { NamePart, Extension, Whole };

/// Where the Delete and Insert positions count from.
enum class Anchor { Beginning, End };

/// The name without its extension (from the last "." on).
Name nameWithoutExtension(NameView name);

/// The longest cut of the entries; the first of equally long ones, the first
/// entry when all cuts are empty, empty without entries.
Name longestCut(const std::vector<Name>& entries, SampleCut cut);

/// What the Delete page writes into "Pos" and "Length".
struct DeletePositions {
    long position = 0;
    long length = 0;
};

/// selectionStart, selectionLength and textLength count code points. No
/// value when nothing is selected.
std::optional<DeletePositions> deletePositions(std::size_t selectionStart,
                                               std::size_t selectionLength, std::size_t textLength,
                                               Anchor anchor);

/// Index of the first "//" in text.
std::optional<std::size_t> insertMarkerIndex(NameView text);

/// The sample text after a click at caret position k (code points).
Name withMarkerAt(NameView text, std::size_t k);

/// What the Insert page writes into "Pos" and "String".
struct InsertSettings {
    long position = 0;
    Name string;
};

/// A page's refusal: its message and, on the Reformat page, the controls to
/// highlight (by component name).
struct Refusal {
    std::string_view message;
    std::vector<std::string_view> highlight;
};

std::variant<Refusal, InsertSettings> composeInsert(NameView sampleWithMarker, NameView string,
                                                    Anchor anchor);

/// The Extension page's With text; the Replace text is "*".
Name composeExtension(NameView extension);

/// Indexes of the Number page's drop-downs; typed text leaves kNoItem.
enum NumberChoice : int { kNoItem = -1, kNumbers = 0, kOldFileNames = 1, kNone = 2 };

struct NumberPage {
    std::array<Name, 3> texts;
    std::array<int, 2> choices{kNumbers, kOldFileNames};
    Name start = U"1";
    bool padding = true;
};

/// The pair to write and the start number and padding to show afterwards.
struct NumberResult {
    Name find;
    Name replaceWith;
    Name start;
    bool padding = true;
};

std::variant<Refusal, NumberResult> composeNumber(const NumberPage& page);

/// Indexes of the Reformat page's drop-downs. CurrCombo2: 0 "Field 3",
/// 1 "(None)"; New drop-downs: 0..2 "Field 1".."Field 3", NewCombo3 also
/// 3 "(None)"; typed text leaves -1.
struct ReformatPage {
    std::array<Name, 4> current;
    std::array<Name, 4> wanted;
    int currentField3 = 1;
    std::array<int, 3> wantedFields{1, 0, 3};
};

struct ReformatResult {
    Name find;
    Name replaceWith;
};

std::variant<Refusal, ReformatResult> composeReformat(const ReformatPage& page);

} // namespace quillon::wizard
