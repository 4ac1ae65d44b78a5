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
    if (pattern.from.empty())
        return applyFinishingSteps(steps, source);
    return replaceWithinScope(pattern.scope, steps, source,
                              [&pattern](NameView text) { return replaceIn(pattern, text); });
}

Name replaceWithinScope(Scope scope, const FinishingSteps& steps, NameView source,
                        const std::function<Name(NameView)>& replace) {
    switch (scope) {
    case Scope::FileNamesOnly: {
        Name result = replace(namePartOf(source));
        result.append(extensionOf(source));
        return applyFinishingSteps(steps, result);
    }
    case Scope::ExtensionsOnly: {
        const NameView extension = extensionOf(source);
        if (extension.size() <= 1)
            return applyFinishingSteps(steps, source);
        // The search never sees the "." itself, and an extension that the
        // replacement empties takes its "." with it.
        Name result(namePartOf(source));
        const Name replaced = replace(extension.substr(1));
        if (!replaced.empty())
            result.append(1, U'.').append(replaced);
        return applyFinishingSteps(steps, result);
    }
    case Scope::Both:
        return applyFinishingSteps(steps, replace(source));
    }
    return Name(source);
}

} // namespace quillon
