// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class FileSystem;

/// One rename as saving carried it out (names as raw bytes).
struct UndoStep {
    std::string from;
    std::string to;
    /// For a change of letter case only in a record written before renaming:
    /// the temporary name the rename goes through where the disk ignores
    /// case. Empty otherwise.
    std::string temporary;
    /// For the last step of a cycle in a record written before renaming:
    /// the empty file saving creates just before that step, which tells a
    /// finished cycle from one never begun. Empty otherwise.
    std::string marker;
};

/// What a save leaves in the folder to take its renames back.
struct UndoRecord {
    /// Written before the first rename: some steps may never have been
    /// carried out. Rewritten afterwards, it holds only steps that were.
    bool planned = false;
    /// In the order they were carried out.
    std::vector<UndoStep> steps;
};

/// The line that tells Quillon's undo script from any other file of that
/// name; the script's second line.
inline constexpr std::string_view kUndoScriptMarker = "# Quillon undo record 2";

/// Bytes of the script's start that identify it.
std::size_t undoScriptSignatureLength();

/// True when bytes begin the way Quillon's undo script begins.
bool hasUndoScriptSignature(std::string_view bytes);

/// True when folder holds Quillon's own undo script: a regular file with the
/// exact name and the marker. Only the start of it is read.
bool folderHoldsUndoScript(FileSystem& fs, const std::string& folder);

/// Appends bytes in single quotes for the POSIX shell ("'" as '\'').
/// Inside single quotes the shell reads no character as code, so any name
/// (newlines, "$", backticks, bytes that are not UTF-8) comes back as it was.
void appendShellQuoted(std::string& out, std::string_view bytes);

/// Writes the undo script a line at a time, for steps held as views: a save
/// of a million names need not copy them into an UndoRecord first.
class UndoScriptWriter final {
public:
    /// steps and bytes (their names' bytes in all) size the text ahead;
    /// buffer, emptied, lends its storage.
    UndoScriptWriter(bool planned, std::size_t steps, std::size_t bytes, std::string buffer = {});
    /// The way back of one step (see UndoStep); the newest step comes first.
    void addNewestFirst(std::string_view from, std::string_view to, std::string_view temporary = {},
                        std::string_view marker = {});
    /// The whole script; the writer is spent.
    std::string finish();

private:
    std::string m_text;
};

/// The undo script: it changes into its own folder, takes the steps back
/// newest first (each only while the new name is there and the old one is
/// free), and deletes itself, by its own path, only when every one of them
/// came back. Runs with any POSIX shell and nothing of Quillon installed.
std::string undoScriptText(const UndoRecord& record);

/// Reads back a script undoScriptText wrote; anything else, edited or
/// foreign, gives nothing.
std::optional<UndoRecord> parseUndoScript(std::string_view text);

} // namespace quillon
