// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PressMessages.h"

#include <string_view>

namespace quillon::cli {

namespace {

std::string_view refusalReason(RefusalCode code) {
    switch (code) {
    case RefusalCode::StarInNewExtension:
        return R"(--with: the new extension ("/.EXT/") cannot hold "*")";
    case RefusalCode::ExtensionTwice:
        return R"(--with: a new extension ("/.EXT/") is given more than once)";
    case RefusalCode::ExtensionNotClosed:
        return R"(--with: the new extension ("/.EXT/") needs its closing "/")";
    case RefusalCode::DotInNewExtension:
        return R"(--with: the new extension ("/.EXT/") cannot hold ".")";
    case RefusalCode::NumberMissingAfterN:
        return R"(--with: a number must follow "/n")";
    case RefusalCode::NumberExpected:
        return R"(--with: a number was expected, but "//" was found)";
    case RefusalCode::TooManySlashes:
        return R"(--with: too many "/")";
    case RefusalCode::BadStartNumber:
        return R"(--with: the start number ("/1/", "/001/") is not a whole number)";
    case RefusalCode::SecondSlashMissing:
        return R"(--with: the start number needs its closing "/")";
    case RefusalCode::StarTwice:
        return R"(--with: only one "*" (the old name) is allowed)";
    case RefusalCode::DeletePosOutOfRange:
        return "--delete: POS must be an integer from 1 to 255, or from -1 to -255 to count "
               "from the right";
    case RefusalCode::DeleteLengthOutOfRange:
        return "--delete: LENGTH must be an integer from 1 to 255";
    case RefusalCode::RegularStarOrSlash:
        return R"(--with: a plain search and replace cannot hold "*" or "/")";
    case RefusalCode::ReformatStar:
        return R"(--with: a reformatting pattern ("/2/ - /1/") cannot hold "*")";
    case RefusalCode::InvalidExpression:
        return "--replace: the regular expression or a group --with names is not valid";
    case RefusalCode::ExpressionTooCostly:
        return "--replace: the regular expression is too costly to run (ICU's match engine "
               "gave up); no name was changed";
    case RefusalCode::FieldTokenInvalid:
        return "--with: an unknown field or format between < and >; known fields: <artist>, "
               "<albumartist>, <title>, <album>, <track>, <disc>, <year>, <genre>, <taken>, "
               "<modified>, <camera>, <width>, <height>";
    case RefusalCode::InsertPosOutOfRange:
        return "--insert: POS must be an integer from 1 to 255, or from 0 to -255 to count "
               "from the right";
    }
    return {};
}

} // namespace

std::string expressionLine(const ExpressionError& error) {
    std::string line = error.inWithText ? "--with: " : "--replace: invalid regular expression: ";
    line += error.message;
    if (error.position > 0)
        line += " at position " + std::to_string(error.position);
    return line;
}

std::string refusalLine(RefusalCode code) {
    return std::string(refusalReason(code)) + " (refusal " + std::to_string(refusalNumber(code)) +
           ")";
}

} // namespace quillon::cli
