#include "engine/ReplacePlan.h"

#include "engine/ReplaceOperations.h"
#include "engine/StrictNumber.h"
#include "engine/UnicodeCase.h"

namespace quillon {

namespace {

constexpr std::int64_t kMaxPosition = 255;

bool isBlank(char32_t c) {
    return c <= U' ';
}

bool isTrimmedStar(NameView text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text == U"*";
}

bool contains(NameView text, char32_t c) {
    return text.find(c) != NameView::npos;
}

std::variant<DeleteNumbers, RefusalCode> readDeleteNumbers(const ReplaceSettings& s) {
    const auto pos = parseStrictInteger(s.Replace_TrimFrom);
    if (!pos || *pos == 0 || *pos < -kMaxPosition || *pos > kMaxPosition)
        return RefusalCode::DeletePosOutOfRange;
    const auto length = parseStrictInteger(s.Replace_TrimCount);
    if (!length || *length < 1 || *length > kMaxPosition)
        return RefusalCode::DeleteLengthOutOfRange;
    return DeleteNumbers{*pos > 0, static_cast<int>(*pos > 0 ? *pos : -*pos),
                         static_cast<int>(*length)};
}

std::variant<InsertNumbers, RefusalCode> readInsertNumbers(const ReplaceSettings& s) {
    const auto pos = parseStrictInteger(s.Replace_InsertFrom);
    if (!pos || *pos < -kMaxPosition || *pos > kMaxPosition)
        return RefusalCode::InsertPosOutOfRange;
    return InsertNumbers{*pos > 0, static_cast<int>(*pos > 0 ? *pos : -*pos),
                         s.Replace_InsertString};
}

} // namespace

ReplaceKind classifyReplace(NameView replaceFrom) {
    if (contains(replaceFrom, U'/') && !contains(replaceFrom, U'*'))
        return ReplaceKind::Reformatting;
    if (!isTrimmedStar(replaceFrom))
        return ReplaceKind::RegularReplacement;
    return ReplaceKind::FileNameReplacement;
}

ReplaceKind ReplacePlan::kind() const {
    switch (operation.index()) {
    case 1:
        return ReplaceKind::Reformatting;
    case 2:
        return ReplaceKind::FileNameReplacement;
    default:
        return ReplaceKind::RegularReplacement;
    }
}

ReplaceCounter ReplacePlan::startCounter() const {
    const auto* numbering = std::get_if<FileNameReplacement>(&operation);
    return ReplaceCounter(numbering ? numbering->startNumber : 0);
}

ReplaceCompilation compileReplace(const ReplaceSettings& settings, std::size_t entryCount) {
    ReplacePlan plan;
    FinishingSteps& steps = plan.finishing;
    steps.scope = settings.scope;
    steps.charToSpaces = settings.Replace_CharToSpaces;
    steps.deleteDigits = settings.Replace_DelDigits;
    steps.deleteExtraSpaces = settings.Replace_DelExtraSpaces;
    steps.updateCase = settings.Replace_UpdateCase;
    steps.caseMode = settings.caseMode;
    steps.smartOptions = settings.smartOptions;

    if (settings.Replace_Trim) {
        auto deletion = readDeleteNumbers(settings);
        if (const auto* code = std::get_if<RefusalCode>(&deletion))
            return *code;
        steps.deletion = std::get<DeleteNumbers>(deletion);
    }
    if (settings.Replace_Insert) {
        auto insertion = readInsertNumbers(settings);
        if (const auto* code = std::get_if<RefusalCode>(&insertion))
            return *code;
        steps.insertion = std::move(std::get<InsertNumbers>(insertion));
    }

    const NameView from = settings.Replace_From;
    const NameView to = settings.Replace_To;
    switch (classifyReplace(from)) {
    case ReplaceKind::Reformatting:
        if (contains(to, U'*'))
            return RefusalCode::ReformatStar;
        plan.operation = ReformatPattern{compileDelimiters(from), Name(to)};
        break;
    case ReplaceKind::RegularReplacement:
        if (contains(to, U'/') || contains(to, U'*'))
            return RefusalCode::RegularStarOrSlash;
        plan.operation = RegularReplacement{Name(from), Name(to), settings.Replace_Case,
                                            settings.scope, toUpperSimple(from)};
        break;
    case ReplaceKind::FileNameReplacement: {
        auto numbering = compileFileNameReplacement(to, entryCount);
        if (const auto* code = std::get_if<RefusalCode>(&numbering))
            return *code;
        plan.operation = std::move(std::get<FileNameReplacement>(numbering));
        break;
    }
    }
    return plan;
}

Name applyReplace(const ReplacePlan& plan, NameView source, ReplaceCounter& counter) {
    if (const auto* regular = std::get_if<RegularReplacement>(&plan.operation))
        return SearchReplace(*regular, plan.finishing, source);
    if (const auto* reformat = std::get_if<ReformatPattern>(&plan.operation))
        return Replace_Reformat_Replace(*reformat, plan.finishing, source);
    return Replace_Number(std::get<FileNameReplacement>(plan.operation), plan.finishing, source,
                          counter);
}

} // namespace quillon
