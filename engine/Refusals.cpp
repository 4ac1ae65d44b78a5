// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Refusals.h"

#include <algorithm>
#include <array>

// Marks each message for the translators' tools, which find the texts by
// this name; the program gets the English text unchanged and the user
// interface looks up its translation under the same context.
#define QT_TRANSLATE_NOOP(context, text) text

namespace quillon {

namespace {

// The one place these texts live: the line breaks are where the message box
// has always broken them, so users recognise the messages.
constexpr std::array kRefusals{
    Refusal{RefusalCode::StarInNewExtension,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "File Name Replacement:\nInvalid character (*) in extension.")},
    Refusal{RefusalCode::ExtensionTwice,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "File Name Replacement:\nExtension specified more than once.")},
    Refusal{RefusalCode::ExtensionNotClosed,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "File Name Replacement:\nMissing slash (/.) after extension.")},
    Refusal{RefusalCode::DotInNewExtension,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "File Name Replacement:\nInvalid character (.) in extension.")},
    Refusal{RefusalCode::NumberMissingAfterN,
            QT_TRANSLATE_NOOP("quillon::Refusals", "Numbering: Number expected after /n.")},
    Refusal{RefusalCode::NumberExpected,
            QT_TRANSLATE_NOOP("quillon::Refusals", "Numbering: Number expected but // found.")},
    Refusal{RefusalCode::TooManySlashes,
            QT_TRANSLATE_NOOP("quillon::Refusals", "Numbering: Too many parameters (/).")},
    Refusal{RefusalCode::BadStartNumber,
            QT_TRANSLATE_NOOP("quillon::Refusals", "Numbering: Incorrect starting number.")},
    Refusal{RefusalCode::SecondSlashMissing,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "Numbering: Incorrect starting number.\nSecond slash not found.")},
    Refusal{RefusalCode::StarTwice,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "File Name Replacement:\nOnly one asterisk (*) allowed.")},
    Refusal{
        RefusalCode::DeletePosOutOfRange,
        QT_TRANSLATE_NOOP(
            "quillon::Refusals",
            "Delete: You must enter an integer in the range\nof 1 to 255 (Counting left to right) "
            "or -1 to -255\n(Counting right to left) in the first box.")},
    Refusal{RefusalCode::DeleteLengthOutOfRange,
            QT_TRANSLATE_NOOP(
                "quillon::Refusals",
                "Delete: You must enter an integer in\nthe range of 1 to 255 in the second box.")},
    Refusal{RefusalCode::RegularStarOrSlash,
            QT_TRANSLATE_NOOP(
                "quillon::Refusals",
                "Regular replacement: The star (*) and\nslash (/) characters cannot be used.")},
    Refusal{RefusalCode::ReformatStar,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "Reformatting: The star (*)\ncharacter cannot be used.")},
    Refusal{
        RefusalCode::InsertPosOutOfRange,
        QT_TRANSLATE_NOOP(
            "quillon::Refusals",
            "Insert: You must enter an integer in the range\nof 1 to 255 (Counting left to right) "
            "or 0 to -255\n(Counting right to left) in the first box.")},
    Refusal{
        RefusalCode::InvalidExpression,
        QT_TRANSLATE_NOOP("quillon::Refusals", "Regular expression: The expression is not valid.")},
    Refusal{RefusalCode::FieldTokenInvalid,
            QT_TRANSLATE_NOOP(
                "quillon::Refusals",
                "Fields: Unknown field or format between < and >.\nKnown fields: <artist>, "
                "<albumartist>, <title>, <album>,\n<track>, <disc>, <year>, <genre>, <taken>, "
                "<modified>,\n<camera>, <width>, <height>.")},
    Refusal{RefusalCode::ExpressionTooCostly,
            QT_TRANSLATE_NOOP("quillon::Refusals",
                              "Regular expression: The expression is too costly to run on "
                              "the file:")},
};

} // namespace

std::string_view refusalMessage(RefusalCode code) {
    const auto* row = std::find_if(kRefusals.begin(), kRefusals.end(),
                                   [code](const Refusal& r) { return r.code == code; });
    return row == kRefusals.end() ? std::string_view{} : row->message;
}

std::span<const Refusal> allRefusals() {
    return kRefusals;
}

} // namespace quillon
