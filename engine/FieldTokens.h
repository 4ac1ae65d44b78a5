// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"
#include "engine/Refusals.h"
#include "fields/FieldSet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillon {

/// A calendar date and time of day as the values give it.
struct FieldDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

/// The values of one file's fields, handed to the engine by whoever read
/// them; only the fields in present have a value.
struct FieldValues {
    FieldSet present;
    std::array<Name, kFieldCount> text;
    std::array<std::uint64_t, kFieldCount> number{};
    std::array<FieldDate, kFieldCount> date{};

    bool has(Field f) const { return present.has(f); }
    void clear() { present = {}; }
};

/// One token of a With text, as compiled.
struct FieldToken {
    Field field = Field::Artist;
    /// Number fields: left-padded with "0" to this width (0: none).
    std::size_t padWidth = 0;
    /// Date fields: the format, never empty ("yyyy-MM-dd HH.mm.ss" unless given).
    Name dateFormat;
};

/// The tokens of a press, in the order they stand in the With text.
struct FieldTokens {
    std::vector<FieldToken> tokens;

    bool empty() const { return tokens.empty(); }
    /// Every field some token names: what must be read for the press.
    FieldSet needed() const;
};

/// Takes the tokens out of a With text: each "<field>" or "<field:format>"
/// (field names ignore letter case) is replaced by a mark that no name
/// holds, and described in tokens. An unknown field, a format the field
/// cannot take, or a "<" without its ">" refuses with
/// RefusalCode::FieldTokenInvalid. A text without "<" comes back as it is.
std::optional<RefusalCode> extractFieldTokens(Name& withText, FieldTokens& tokens);

/// True when c is the mark of a token that extractFieldTokens left.
bool isFieldTokenMark(char32_t c);

/// A text value made safe for a name: "/" becomes "-", control characters
/// are dropped, blanks (also the Unicode spaces) are cut from both ends and
/// dots from the start, so that no value can hide a file. Empty for a value
/// of only dots and blanks.
Name safeFieldText(NameView value);

/// The fields of tokens that values lack: not present, or text that is
/// empty once made safe (see safeFieldText).
FieldSet missingFields(const FieldTokens& tokens, const FieldValues& values);

/// Replaces every token mark in text by its field's value made safe for a
/// name (see safeFieldText). Every field must be there (see missingFields).
/// The tokens of the fields in standIns take a plain letter instead of
/// their value, which tells what a name owes to its values.
void fillFieldTokens(const FieldTokens& tokens, const FieldValues& values, Name& text,
                     FieldSet standIns = {});

/// A press's tokens and the values of the entry being built.
struct FieldFill {
    const FieldTokens* tokens = nullptr;
    const FieldValues* values = nullptr;
    /// Fields whose tokens take a stand-in letter (see fillFieldTokens).
    FieldSet standIns;
};

} // namespace quillon
