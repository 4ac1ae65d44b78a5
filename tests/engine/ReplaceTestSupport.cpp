// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include "engine/Utf8.h"

namespace quillon::test {

ReplaceSettings quietSettings() {
    ReplaceSettings settings;
    settings.updateCase = false;
    return settings;
}

Press press(const ReplaceSettings& settings, const std::vector<Name>& sources,
            const std::vector<bool>& checked) {
    Press result;
    result.names = sources;
    const ReplaceCompilation compiled = compileReplace(settings, sources.size());
    if (const auto* code = std::get_if<RefusalCode>(&compiled)) {
        result.refusal = *code;
        return result;
    }
    const auto& plan = std::get<ReplacePlan>(compiled);
    ReplaceCounter counter = plan.startCounter();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (checked.empty() || checked[i])
            result.names[i] = applyReplace(plan, sources[i], counter);
    }
    result.gaveUp = replaceGaveUp(plan);
    return result;
}

Name pressOne(const ReplaceSettings& settings, NameView source) {
    const Press result = press(settings, {Name(source)});
    if (result.refusal)
        return U"refused " + decodeName(std::to_string(refusalNumber(*result.refusal)));
    return result.names.front();
}

std::string utf8(NameView name) {
    return encodeName(name);
}

} // namespace quillon::test
