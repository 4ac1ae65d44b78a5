// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ReplacePlan.h"

#include <optional>
#include <string>
#include <vector>

namespace quillon::test {

/// Settings as the form starts, but with "Update case" unchecked, as most
/// example tables assume.
ReplaceSettings quietSettings();

/// The outcome of one press of "OK" over a list of entries.
struct Press {
    std::optional<RefusalCode> refusal;
    std::vector<Name> names;
    /// The match engine gave up on some name (see replaceGaveUp).
    bool gaveUp = false;
};

/// Runs one press the way the workspace does: compile once, then every
/// checked entry (all when checked is empty) in ascending order from its
/// source name; unchecked entries keep their names.
Press press(const ReplaceSettings& settings, const std::vector<Name>& sources,
            const std::vector<bool>& checked = {});

/// One press over a one-entry list; a refusal comes back as the text "refused <code>".
Name pressOne(const ReplaceSettings& settings, NameView source);

/// UTF-8 for readable failure messages.
std::string utf8(NameView name);

} // namespace quillon::test
