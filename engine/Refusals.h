// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quillon {

/// Why a press of "OK" was refused. The numeric values are the codes users
/// and the help texts know; every front end shows refusalMessage(code).
enum class RefusalCode : std::uint16_t {
    StarInNewExtension = 11,      ///< File Name Replacement: "*" in the new extension
    ExtensionTwice = 12,          ///< File Name Replacement: a second "/."
    ExtensionNotClosed = 13,      ///< File Name Replacement: no "/" closes "/."
    DotInNewExtension = 14,       ///< File Name Replacement: "." in the new extension
    NumberMissingAfterN = 22,     ///< Numbering: "/n/"
    NumberExpected = 23,          ///< Numbering: "//"
    TooManySlashes = 24,          ///< Numbering: a "/" left over
    BadStartNumber = 25,          ///< Numbering: start number not a non-negative integer
    SecondSlashMissing = 26,      ///< Numbering: a "/" without its partner
    StarTwice = 31,               ///< File Name Replacement: a second "*"
    DeletePosOutOfRange = 201,    ///< Delete "Pos:" does not convert or is out of range
    DeleteLengthOutOfRange = 202, ///< Delete "Length:" does not convert or is out of range
    RegularStarOrSlash = 301,     ///< Regular replacement: "/" or "*" in the With text
    ReformatStar = 401,           ///< Reformatting: "*" in the With text
    InsertPosOutOfRange = 501,    ///< Insert "Pos:" does not convert or is out of range
    /// Regular expression: the expression or a group its With text names is
    /// not valid (expressionError says where).
    InvalidExpression = 601,
    FieldTokenInvalid = 602, ///< a "<field>" token names no known field or has a bad format
    /// Regular expression: matching one name took more than the match
    /// engine allows (front ends name the file after the message).
    ExpressionTooCostly = 603,
};

/// One row of the refusal table.
struct Refusal {
    RefusalCode code;
    /// The fixed message, UTF-8, lines separated by "\n".
    std::string_view message;
};

/// The message a front end shows for code (in a modal error box).
std::string_view refusalMessage(RefusalCode code);

/// Every refusal, in ascending order of code.
std::span<const Refusal> allRefusals();

/// The number users see for code.
inline int refusalNumber(RefusalCode code) {
    return static_cast<int>(code);
}

} // namespace quillon
