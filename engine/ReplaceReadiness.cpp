// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceReadiness.h"

namespace quillon {

namespace {

bool holdsPatternMark(NameView text) {
    return text.find_first_of(U"/*") != NameView::npos;
}

bool anyFinishingStep(const ReplaceSettings& s) {
    return s.spacesFromPercent20AndUnderscore || s.deleteDigits || s.deleteExtraSpaces ||
           s.deleteEnabled || s.insertEnabled || s.numberDuplicates;
}

MissingInput missingInPattern(const ReplaceSettings& s) {
    if (s.find.empty() && s.replaceWith.empty())
        return anyFinishingStep(s) ? MissingInput::None : MissingInput::AnyChange;
    // An expression may replace its matches by nothing.
    if (s.regularExpression)
        return s.find.empty() ? MissingInput::ReplaceText : MissingInput::None;
    if (holdsPatternMark(s.find))
        return s.replaceWith.empty() ? MissingInput::WithText : MissingInput::None;
    return s.find.empty() ? MissingInput::ReplaceText : MissingInput::None;
}

} // namespace

MissingInput missingInput(const ReplaceSettings& settings) {
    if (settings.deleteEnabled && settings.deletePos.empty())
        return MissingInput::DeletePosition;
    if (settings.deleteEnabled && settings.deleteLength.empty())
        return MissingInput::DeleteLength;
    if (settings.insertEnabled && settings.insertPos.empty())
        return MissingInput::InsertPosition;
    if (settings.insertEnabled && settings.insertText.empty())
        return MissingInput::InsertText;
    return missingInPattern(settings);
}

} // namespace quillon
