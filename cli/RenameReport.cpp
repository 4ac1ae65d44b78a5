// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RenameReport.h"

#include <algorithm>

#include "workspace/Workspace.h"

namespace quillon::cli {

ReportEntry RenameReport::entry(std::size_t i) const {
    const auto failure = failures.find(i);
    return {oldNames[i], newNames[i], checked[i],
            failure == failures.end() ? nullptr : &failure->second};
}

void RenameReport::add(std::string_view oldName, std::string_view newName, bool isChecked,
                       std::optional<RenameError> failure) {
    if (failure)
        failures.emplace(size(), std::move(*failure));
    oldNames.add(oldName);
    newNames.add(newName);
    checked.push_back(isChecked);
}

std::size_t RenameReport::changingCount() const {
    std::size_t count = 0;
    for (std::size_t i = 0; i < size(); ++i)
        count += oldNames[i] != newNames[i] ? 1 : 0;
    return count;
}

std::size_t RenameReport::failedCount() const {
    return failures.size();
}

std::size_t RenameReport::missingCount() const {
    return static_cast<std::size_t>(
        std::count_if(missing.begin(), missing.end(), [](MissingFields m) { return m.any(); }));
}

void KeptNames::add(const std::vector<MissingFields>& missing) {
    for (const MissingFields& m : missing) {
        if (!m.any())
            continue;
        ++files;
        unreadable += m.unreadable ? 1 : 0;
        for (const Field f : kAllFields)
            lacking[fieldIndex(f)] += m.fields.has(f) ? 1 : 0;
    }
}

void RunTotals::add(const RenameReport& report) {
    ++folders;
    kept.add(report.missing);
    entries += report.size();
    changing += report.changingCount();
    renamed += report.renamed;
    failed += report.failedCount();
}

RenameReport reportOf(const Workspace& workspace, const std::string& folder) {
    RenameReport report;
    report.folder = folder;
    const NameList& names = workspace.folderList().names;
    const PreviewList& preview = workspace.preview();
    if (names.size() == preview.size()) {
        report.oldNames = names;
        report.newNames = preview.names;
        report.checked = preview.checked;
        report.missing = workspace.missingFields();
    }
    return report;
}

RenameReport takeReport(Workspace& workspace, const std::string& folder) {
    RenameReport report;
    report.folder = folder;
    PreviewList preview;
    report.missing = workspace.missingFields();
    workspace.releaseLists(report.oldNames, preview);
    if (report.oldNames.size() == preview.size()) {
        report.newNames = std::move(preview.names);
        report.checked = std::move(preview.checked);
    } else {
        report.oldNames = {};
    }
    return report;
}

} // namespace quillon::cli
