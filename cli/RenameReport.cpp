// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RenameReport.h"

#include "workspace/Workspace.h"

#include <algorithm>

namespace quillon::cli {

std::size_t RenameReport::changingCount() const {
    return static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.changes(); }));
}

std::size_t RenameReport::failedCount() const {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [](const auto& e) { return e.failure.has_value(); }));
}

RenameReport reportOf(const Workspace& workspace, const std::string& folder) {
    RenameReport report;
    report.folder = folder;
    const std::vector<Name>& names = workspace.folderList().names;
    const std::vector<PreviewEntry>& preview = workspace.preview();
    report.entries.reserve(names.size());
    for (std::size_t i = 0; i < names.size() && i < preview.size(); ++i)
        report.entries.push_back({names[i], preview[i].name, preview[i].checked, std::nullopt});
    return report;
}

} // namespace quillon::cli
