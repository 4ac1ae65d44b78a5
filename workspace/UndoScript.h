#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

/// One rename the undo script takes back (names as raw bytes).
struct UndoRename {
    std::string_view newName;
    std::string_view oldName;
    /// The names differ only in letter case: on a disk that ignores case the
    /// way back goes through a temporary name.
    bool caseOnly = false;
};

/// Appends bytes in single quotes for the POSIX shell ("'" as '\'').
/// Inside single quotes the shell reads no character as code, so any name
/// (newlines, "$", backticks, bytes that are not UTF-8) comes back as it was.
void appendShellQuoted(std::string& out, std::string_view bytes);

/// The undo script for renames done in the given order: it changes into its
/// own folder, takes the renames back newest first (each only while the new
/// name is there and the old one is free), and deletes itself only when
/// every one of them succeeded.
std::string undoScriptText(const std::vector<UndoRename>& renames);

} // namespace quillon
