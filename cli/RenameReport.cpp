#include "cli/RenameReport.h"

#include "workspace/Workspace.h"

namespace quillon::cli {

RenameReport reportOf(const Workspace& workspace, const std::string& folder) {
    RenameReport report;
    report.folder = folder;
    const std::vector<Name>& names = workspace.folderList().names;
    const std::vector<PreviewEntry>& preview = workspace.preview();
    report.entries.reserve(names.size());
    for (std::size_t i = 0; i < names.size() && i < preview.size(); ++i)
        report.entries.push_back({names[i], preview[i].name, preview[i].checked});
    return report;
}

} // namespace quillon::cli
