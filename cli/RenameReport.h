// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Problem.h"
#include "engine/FieldTokens.h"
#include "engine/Name.h"
#include "workspace/fields/MissingFields.h"
#include "workspace/names/NameList.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillon {
class Workspace;
}

namespace quillon::cli {

/// Why a rename did not happen.
struct RenameError {
    /// The window's message on one line, as UTF-8 (a name in it as its bytes).
    std::string message;
    /// The errno value of the failed call; 0 for a rename never tried (after
    /// --on-error abort).
    int error = 0;
};

/// One file of the folder list beside its preview entry, as views into
/// the report.
struct ReportEntry {
    /// Disk bytes.
    std::string_view oldName;
    std::string_view newName;
    bool checked = false;
    /// Set when saving could not rename the file.
    const RenameError* failure = nullptr;

    bool changes() const { return oldName != newName; }
    /// Renamed by --apply, or would be by a dry run.
    bool renames() const { return changes() && !failure; }
};

/// A new name saving cannot give as it stands (see Workspace::saveConflicts).
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
    /// Entry by entry: the disk names, the new names and the check marks.
    NameList oldNames;
    NameList newNames;
    std::vector<bool> checked;
    /// Why the renames that failed did not happen, by entry.
    std::map<std::size_t, RenameError> failures;
    /// Whether the files were renamed (--apply), not only shown.
    bool applied = false;
    /// Files renamed on disk.
    std::size_t renamed = 0;

    /// Per entry, the fields ("<artist>" ...) the last press needed and the
    /// file lacked; empty when it had no tokens.
    std::vector<MissingFields> missing;

    /// Dry runs only: what saving would meet.
    std::optional<std::vector<ReportConflict>> conflicts;
    /// Dry runs only: why saving would be refused.
    std::optional<Problem> refusal;
    /// 0, or why the save could not be kept in the user's history.
    int historyError = 0;

    std::size_t size() const { return oldNames.size(); }
    ReportEntry entry(std::size_t i) const;
    /// Appends an entry (names as disk bytes).
    void add(std::string_view oldName, std::string_view newName, bool isChecked,
             std::optional<RenameError> failure = std::nullopt);

    std::size_t changingCount() const;
    std::size_t failedCount() const;
    /// Entries that kept their name for want of a field.
    std::size_t missingCount() const;
};

/// The files that kept their name for want of a field, and how many
/// lacked each field.
struct KeptNames {
    std::size_t files = 0;
    std::array<std::size_t, kFieldCount> lacking{};
    /// Of files, those that could not be read at all.
    std::size_t unreadable = 0;

    /// Counts what each entry of missing lacked.
    void add(const std::vector<MissingFields>& missing);
};

/// The counts of the reports of several folders together.
struct RunTotals {
    std::size_t folders = 0;
    std::size_t entries = 0;
    std::size_t changing = 0;
    std::size_t renamed = 0;
    std::size_t failed = 0;
    /// Whether the files were renamed (--apply, --undo), not only shown.
    bool applied = false;
    KeptNames kept;

    void add(const RenameReport& report);
};

/// The lists of workspace as a report of a dry run.
RenameReport reportOf(const Workspace& workspace, const std::string& folder);

/// reportOf without a copy of the names: the workspace's lists move into
/// the report and are left empty.
RenameReport takeReport(Workspace& workspace, const std::string& folder);

} // namespace quillon::cli
