#pragma once

#include "engine/Name.h"

#include <optional>
#include <string>
#include <vector>

namespace quillon {
class Workspace;
}

namespace quillon::cli {

/// One file of the folder list beside its preview entry.
struct ReportEntry {
    Name oldName;
    Name newName;
    bool checked = false;
};

/// A rename that saving could not do, with the message the window shows.
struct RenameFailure {
    Name oldName;
    Name newName;
    std::string message;
};

/// A new name saving cannot give as it stands (see saveConflicts).
struct ReportConflict {
    std::size_t index = 0;
    Name name;
    /// "duplicate", "invalid name", "held by a file outside the list" or
    /// "held by a listed file that keeps its name".
    std::string reason;
};

/// What a run prints, in list order: every entry, whether it changes or not.
struct RenameReport {
    /// The folder as given on the command line (raw bytes).
    std::string folder;
    std::vector<ReportEntry> entries;
    std::vector<RenameFailure> failed;
    /// Dry runs only: what saving would meet.
    std::optional<std::vector<ReportConflict>> conflicts;
};

/// The lists of workspace as a report without failures.
RenameReport reportOf(const Workspace& workspace, const std::string& folder);

} // namespace quillon::cli
