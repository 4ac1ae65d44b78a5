// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"
#include "cli/Problem.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quillon::cli {

/// The entries of one folder that a run takes, loaded, pressed and saved
/// as a list of its own.
struct FolderGroup {
    /// Absolute, raw bytes.
    std::string folder;
    /// The folder is listed as a whole (the mask and the order apply).
    bool listed = false;
    /// Entries given one by one (raw bytes, no folder part).
    std::vector<std::string> chosen;
};

/// A PATH that cannot be read, or a list of them that cannot.
struct PathProblem {
    Problem problem;
    /// Absolute.
    std::string path;
};

/// What the PATHs of a command line reach.
struct PathGroups {
    /// One per folder, in the order the run takes them.
    std::vector<FolderGroup> groups;
    /// Nothing is to be renamed when any is here.
    std::vector<PathProblem> problems;
};

/// Reads the PATHs of options and of --files-from (in for "-"), a folder
/// listed and, with -r, every subfolder below it (hidden ones with
/// --hidden; a link is never entered, and no folder twice), a file added to
/// its folder's group; with --undo every PATH must be a folder, and -r is
/// left to the undo. The groups come in path order, each folder before
/// its subfolders, or after them with --include-folders.
PathGroups collectPaths(const CliOptions& options, std::istream& in);

/// The folders right inside folder, as paths below it, in byte order: no
/// link, and no hidden one unless hidden. error receives the errno value
/// when folder cannot be read.
std::vector<std::string> subfolders(const std::string& folder, bool hidden, int& error);

/// Splits text into paths at each NUL byte (zeroSeparated) or line feed;
/// empty items are skipped.
std::vector<std::string> splitPathList(std::string_view text, bool zeroSeparated);

/// Whether a comes before b: path order, part by part, a folder before
/// the folders inside it, or after them with deepestFirst.
bool comesBefore(std::string_view a, std::string_view b, bool deepestFirst);

} // namespace quillon::cli
