// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceOperations.h"

#include <algorithm>

namespace quillon {

namespace {

void deleteSubstring(Name& text, const DeleteNumbers& d) {
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    // 1-based start; counted from the right the deletion still runs towards the end.
    const std::ptrdiff_t start = d.deleteFromLeft ? d.deletePos : length - d.deletePos + 1;
    if (start < 1 || start > length)
        return;
    text.erase(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(d.deleteLength));
}

void insertText(Name& text, const InsertNumbers& ins) {
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    std::ptrdiff_t before = ins.insertFromLeft ? ins.insertPos : length - ins.insertPos + 1;
    before = std::clamp<std::ptrdiff_t>(before, 1, length + 1);
    text.insert(static_cast<std::size_t>(before - 1), ins.insertText);
}

// "%20" first, then "_": one pass does both, since neither replacement can
// produce or break the other's pattern.
void charsToSpaces(Name& text) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'%' && i + 2 < text.size() && text[i + 1] == U'2' && text[i + 2] == U'0') {
            text[out++] = U' ';
            i += 2;
        } else {
            text[out++] = text[i] == U'_' ? U' ' : text[i];
        }
    }
    text.resize(out);
}

void deleteDigits(Name& text) {
    std::erase_if(text, [](char32_t c) { return c >= U'0' && c <= U'9'; });
}

// Runs of spaces shrink to one; then one leading and one trailing space go.
void deleteExtraSpaces(Name& text) {
    std::size_t out = 0;
    for (const char32_t c : text) {
        if (c == U' ' && out > 0 && text[out - 1] == U' ')
            continue;
        text[out++] = c;
    }
    text.resize(out);
    if (!text.empty() && text.front() == U' ')
        text.erase(0, 1);
    if (!text.empty() && text.back() == U' ')
        text.pop_back();
}

} // namespace

Name applyFinishingSteps(const FinishingSteps& steps, NameView name) {
    NameView keptBefore;
    NameView keptAfter;
    Name work;
    switch (steps.scope) {
    case Scope::Both:
        work.assign(name);
        break;
    case Scope::FileNamesOnly:
        work.assign(namePartOf(name));
        keptAfter = extensionOf(name);
        break;
    case Scope::ExtensionsOnly:
        work.assign(extensionOf(name));
        keptBefore = namePartOf(name);
        break;
    }

    if (steps.deletion)
        deleteSubstring(work, *steps.deletion);
    if (steps.insertion)
        insertText(work, *steps.insertion);
    if (steps.spacesFromPercent20AndUnderscore)
        charsToSpaces(work);
    if (steps.deleteDigits)
        deleteDigits(work);
    if (steps.deleteExtraSpaces)
        deleteExtraSpaces(work);

    Name result;
    if (keptBefore.empty() && keptAfter.empty()) {
        result = std::move(work);
    } else {
        result.reserve(keptBefore.size() + work.size() + keptAfter.size());
        result.append(keptBefore).append(work).append(keptAfter);
    }
    if (steps.updateCase && steps.caseMode != CaseMode::None)
        return applyCaseMode(result, steps.caseMode, steps.smartOptions, steps.caseScope);
    return result;
}

} // namespace quillon
