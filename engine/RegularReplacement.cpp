// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceAll.h"
#include "engine/ReplaceOperations.h"

namespace quillon {

namespace {

Name replaceIn(const RegularReplacement& pattern, NameView text) {
    return pattern.caseSensitive ? replaceAll(text, pattern.from, pattern.to)
                                 : replaceAllIgnoringCase(text, pattern.upperFrom, pattern.to);
}

} // namespace

// Names and extensions are handled whole whatever their length: a name too
// long for the disk fails when it is saved, which is better than silently
// cutting characters off here.
Name applyRegular(const RegularReplacement& pattern, const FinishingSteps& steps, NameView source) {
    switch (pattern.scope) {
    case Scope::FileNamesOnly: {
        if (pattern.from.empty())
            return applyFinishingSteps(steps, source);
        Name result = replaceIn(pattern, namePartOf(source));
        result.append(extensionOf(source));
        return applyFinishingSteps(steps, result);
    }
    case Scope::ExtensionsOnly: {
        const NameView extension = extensionOf(source);
        if (pattern.from.empty() || extension.size() <= 1)
            return applyFinishingSteps(steps, source);
        // The search never sees the "." itself, and an extension that the
        // replacement empties takes its "." with it.
        Name result(namePartOf(source));
        const Name replaced = replaceIn(pattern, extension.substr(1));
        if (!replaced.empty())
            result.append(1, U'.').append(replaced);
        return applyFinishingSteps(steps, result);
    }
    case Scope::Both:
        return applyFinishingSteps(steps, replaceIn(pattern, source));
    }
    return Name(source);
}

} // namespace quillon
