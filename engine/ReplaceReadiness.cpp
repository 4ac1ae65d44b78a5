#include "engine/ReplaceReadiness.h"

namespace quillon {

namespace {

bool holdsPatternMark(NameView text) {
    return text.find_first_of(U"/*") != NameView::npos;
}

bool anyFinishingStep(const ReplaceSettings& s) {
    return s.Replace_CharToSpaces || s.Replace_DelDigits || s.Replace_DelExtraSpaces ||
           s.Replace_Trim || s.Replace_Insert;
}

MissingInput missingInPattern(const ReplaceSettings& s) {
    if (s.Replace_From.empty() && s.Replace_To.empty())
        return anyFinishingStep(s) ? MissingInput::None : MissingInput::AnyChange;
    if (holdsPatternMark(s.Replace_From))
        return s.Replace_To.empty() ? MissingInput::WithText : MissingInput::None;
    return s.Replace_From.empty() ? MissingInput::ReplaceText : MissingInput::None;
}

} // namespace

MissingInput missingInput(const ReplaceSettings& settings) {
    if (settings.Replace_Trim && settings.Replace_TrimFrom.empty())
        return MissingInput::DeletePosition;
    if (settings.Replace_Trim && settings.Replace_TrimCount.empty())
        return MissingInput::DeleteLength;
    if (settings.Replace_Insert && settings.Replace_InsertFrom.empty())
        return MissingInput::InsertPosition;
    if (settings.Replace_Insert && settings.Replace_InsertString.empty())
        return MissingInput::InsertText;
    return missingInPattern(settings);
}

} // namespace quillon
