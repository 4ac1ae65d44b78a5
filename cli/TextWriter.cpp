#include "cli/TextWriter.h"

#include "engine/Utf8.h"

namespace quillon::cli {

std::string dryRunText(const RenameReport& report) {
    std::string out;
    std::size_t changes = 0;
    for (const ReportEntry& entry : report.entries) {
        if (entry.oldName == entry.newName)
            continue;
        ++changes;
        appendEncoded(out, entry.oldName);
        out += " -> ";
        appendEncoded(out, entry.newName);
        out += '\n';
    }
    const std::size_t total = report.entries.size();
    out += "Dry run: " + std::to_string(changes) + " of " + std::to_string(total) +
           (total == 1 ? " name" : " names") + " would change; nothing was renamed.\n";
    return out;
}

} // namespace quillon::cli
