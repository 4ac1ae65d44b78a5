// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplacePlan.h"

#include "engine/ReplaceAll.h"
#include "engine/ReplaceOperations.h"
#include "engine/StrictNumber.h"
#include "engine/UnicodeCase.h"

namespace quillon {

namespace {

constexpr std::int64_t kMaxPosition = 255;

bool isTrimmedStar(NameView text) {
    return trimBlanks(text) == U"*";
}

bool contains(NameView text, char32_t c) {
    return text.find(c) != NameView::npos;
}

std::variant<DeleteNumbers, RefusalCode> readDeleteNumbers(const ReplaceSettings& s) {
    const auto pos = parseStrictInteger(s.deletePos);
    if (!pos || *pos == 0 || *pos < -kMaxPosition || *pos > kMaxPosition)
        return RefusalCode::DeletePosOutOfRange;
    const auto length = parseStrictInteger(s.deleteLength);
    if (!length || *length < 1 || *length > kMaxPosition)
        return RefusalCode::DeleteLengthOutOfRange;
    return DeleteNumbers{*pos > 0, static_cast<int>(*pos > 0 ? *pos : -*pos),
                         static_cast<int>(*length)};
}

std::variant<InsertNumbers, RefusalCode> readInsertNumbers(const ReplaceSettings& s) {
    const auto pos = parseStrictInteger(s.insertPos);
    if (!pos || *pos < -kMaxPosition || *pos > kMaxPosition)
        return RefusalCode::InsertPosOutOfRange;
    return InsertNumbers{*pos > 0, static_cast<int>(*pos > 0 ? *pos : -*pos), s.insertText};
}

Name applyComposed(const ReplacePlan& plan, NameView source, ReplaceCounter& counter,
                   const FieldFill* fill) {
    if (const auto* reformat = std::get_if<ReformatPattern>(&plan.operation))
        return applyReformat(*reformat, plan.finishing, source, fill);
    return applyNumbering(std::get<FileNameReplacement>(plan.operation), plan.finishing, source,
                          counter, fill);
}

bool isHiddenOrEmpty(NameView name) {
    return name.empty() || name.front() == U'.';
}

// The fields without which the name would neither be hidden nor empty. The
// values are clean, but the finishing steps may still take what stands
// before a dot ("_.x" with "%20 and _ to spaces"), or a whole value. A name
// that is hidden whatever the values hold is the user's own choice: none.
FieldSet fieldsThatHide(const ReplacePlan& plan, NameView source, const ReplaceCounter& before,
                        const FieldValues& values) {
    const auto hiddenWith = [&](FieldSet standIns) {
        ReplaceCounter counter = before;
        const FieldFill fill{&plan.fields, &values, standIns};
        return isHiddenOrEmpty(applyComposed(plan, source, counter, &fill));
    };
    const FieldSet all = plan.fields.needed();
    if (hiddenWith(all))
        return {};
    FieldSet hiding;
    for (const Field f : kAllFields) {
        if (all.has(f) && !hiddenWith(f))
            hiding.add(f);
    }
    return !hiding.empty() ? hiding : all;
}

} // namespace

ReplaceKind classifyReplace(NameView pattern) {
    if (contains(pattern, U'/') && !contains(pattern, U'*'))
        return ReplaceKind::Reformatting;
    if (!isTrimmedStar(pattern))
        return ReplaceKind::RegularReplacement;
    return ReplaceKind::FileNameReplacement;
}

ReplaceKind ReplacePlan::kind() const {
    switch (operation.index()) {
    case 1:
        return ReplaceKind::Reformatting;
    case 2:
        return ReplaceKind::FileNameReplacement;
    case 3:
        return ReplaceKind::RegularExpression;
    default:
        return ReplaceKind::RegularReplacement;
    }
}

std::optional<ExpressionError> expressionError(const ReplaceSettings& settings) {
    if (!settings.regularExpression)
        return std::nullopt;
    auto expression = compileExpression(settings);
    if (const auto* error = std::get_if<ExpressionError>(&expression))
        return *error;
    return std::nullopt;
}

ReplaceCounter ReplacePlan::startCounter() const {
    const auto* numbering = std::get_if<FileNameReplacement>(&operation);
    return ReplaceCounter(numbering ? numbering->startNumber : 0);
}

ReplaceCompilation compileReplace(const ReplaceSettings& settings, std::size_t entryCount) {
    ReplacePlan plan;
    FinishingSteps& steps = plan.finishing;
    steps.scope = settings.scope;
    steps.spacesFromPercent20AndUnderscore = settings.spacesFromPercent20AndUnderscore;
    steps.deleteDigits = settings.deleteDigits;
    steps.deleteExtraSpaces = settings.deleteExtraSpaces;
    steps.updateCase = settings.updateCase;
    steps.caseMode = settings.caseMode;
    steps.caseScope = settings.caseScope;
    steps.smartOptions = settings.smartOptions;

    if (settings.deleteEnabled) {
        auto deletion = readDeleteNumbers(settings);
        if (const auto* code = std::get_if<RefusalCode>(&deletion))
            return *code;
        steps.deletion = std::get<DeleteNumbers>(deletion);
    }
    if (settings.insertEnabled) {
        auto insertion = readInsertNumbers(settings);
        if (const auto* code = std::get_if<RefusalCode>(&insertion))
            return *code;
        steps.insertion = std::move(std::get<InsertNumbers>(insertion));
    }

    const NameView from = settings.find;
    if (settings.regularExpression) {
        auto expression = compileExpression(settings);
        if (std::holds_alternative<ExpressionError>(expression))
            return RefusalCode::InvalidExpression;
        plan.operation = std::move(std::get<ExpressionReplacement>(expression));
        return plan;
    }
    const ReplaceKind kind = classifyReplace(from);
    Name withText = settings.replaceWith;
    if (kind != ReplaceKind::RegularReplacement) {
        if (auto refusal = extractFieldTokens(withText, plan.fields))
            return *refusal;
    }
    const NameView to = withText;
    switch (kind) {
    case ReplaceKind::Reformatting:
        if (contains(to, U'*'))
            return RefusalCode::ReformatStar;
        plan.operation = ReformatPattern{compileDelimiters(from), Name(to)};
        break;
    case ReplaceKind::RegularReplacement:
        if (contains(to, U'/') || contains(to, U'*'))
            return RefusalCode::RegularStarOrSlash;
        plan.operation = RegularReplacement{Name(from), Name(to), settings.caseSensitive,
                                            settings.scope, toUpperSimple(from)};
        break;
    case ReplaceKind::RegularExpression:
        break; // chosen by the settings' check box above, never by the text
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

bool replaceGaveUp(const ReplacePlan& plan) {
    const auto* expression = std::get_if<ExpressionReplacement>(&plan.operation);
    return expression && expressionGaveUp(*expression);
}

Name applyReplace(const ReplacePlan& plan, NameView source, ReplaceCounter& counter,
                  const FieldValues* values, FieldSet* missing) {
    if (missing)
        *missing = {};
    if (const auto* regular = std::get_if<RegularReplacement>(&plan.operation))
        return applyRegular(*regular, plan.finishing, source);
    if (const auto* expression = std::get_if<ExpressionReplacement>(&plan.operation))
        return applyExpression(*expression, plan.finishing, source);
    if (plan.fields.empty())
        return applyComposed(plan, source, counter, nullptr);
    // A file that lacks a field keeps its name, like a name a pattern does not fit.
    const FieldValues none;
    const FieldSet lacking = missingFields(plan.fields, values ? *values : none);
    if (missing)
        *missing = lacking;
    if (!lacking.empty())
        return Name(source);
    const ReplaceCounter before = counter;
    const FieldFill fill{&plan.fields, values, {}};
    Name result = applyComposed(plan, source, counter, &fill);
    if (!isHiddenOrEmpty(result))
        return result;
    const FieldSet hiding = fieldsThatHide(plan, source, before, *values);
    if (hiding.empty())
        return result;
    counter = before;
    if (missing)
        *missing = hiding;
    return Name(source);
}

} // namespace quillon
