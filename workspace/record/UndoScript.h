// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/record/UndoRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

class FileSystem;

/// The line that tells Quillon's undo script from any other file of that
/// name; the script's second line.
inline constexpr std::string_view kUndoScriptMarker = "# Quillon undo record 3";

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

/// Writes the undo script a unit at a time, newest first, from names held
/// as views: a save of a million names need not copy them into an
/// UndoRecord first.
class UndoScriptWriter final {
public:
    /// units and bytes (their names' bytes in all) size the text ahead;
    /// buffer, emptied, lends its storage.
    /// With a device, every unit line also keeps the identity of each file
    /// (see UndoRecord::identities) in a comment the shell passes over.
    UndoScriptWriter(bool planned, std::string_view saveId, std::size_t units, std::size_t bytes,
                     std::string buffer = {}, std::uint64_t device = 0,
                     const SaveOrigin& origin = {});
    /// Starts the line of a unit (see UndoUnit for the order of its names).
    void startUnit(UndoUnitKind kind, std::uint64_t identity = 0);
    /// fileIdentity counts for the names UndoRecord::identities keeps one for.
    void addName(std::string_view name, std::uint64_t fileIdentity = 0);
    /// The whole script; the writer is spent.
    std::string finish();

private:
    void endLine();

    std::string m_text;
    bool m_inLine = false;
    bool m_withIdentities = false;
    UndoUnitKind m_kind = UndoUnitKind::Chain;
    std::size_t m_namesInLine = 0;
    std::string m_identityText;
};

/// The undo script: it changes into its own folder, checks every name of
/// every line before it renames anything, takes the units back newest
/// first (each only from a state the save left), and deletes itself, by its
/// own path, only when every one of them came back. Runs with any POSIX
/// shell and nothing of Quillon installed.
std::string undoScriptText(const UndoRecord& record);

/// Why a text is not a record Quillon can take back: the 1-based line where
/// it departs from what Quillon writes, and how.
struct UndoRecordProblem {
    std::size_t line = 0;
    std::string reason;
};

/// Reads a script undoScriptText wrote as it comes, a chunk at a time: only
/// the record and the line in hand are held, never the whole text.
class UndoScriptReader final {
public:
    UndoScriptReader();
    /// Takes the next bytes; false once the text is known to be refused.
    bool feed(std::string_view bytes);
    /// After the last bytes: the record, or nothing with problem saying
    /// where and why (see parseUndoScript).
    std::optional<UndoRecord> finish(UndoRecordProblem* problem = nullptr);

private:
    void take(bool atEnd);
    bool header(std::size_t& at);
    bool unitLine(std::string_view line, std::size_t at);
    bool fail(std::size_t at, std::string reason);

    std::size_t m_headerSize;
    std::string m_pending;
    /// The line number where m_pending begins.
    std::size_t m_line = 1;
    bool m_headerDone = false;
    bool m_footerSeen = false;
    bool m_failed = false;
    UndoRecord m_record;
    std::string m_scratch;
    UndoRecordProblem m_problem;
};

/// Reads back a script undoScriptText wrote and checks every unit (see
/// unitProblem); anything else, edited or foreign, gives nothing and, with
/// problem, says where and why.
std::optional<UndoRecord> parseUndoScript(std::string_view text,
                                          UndoRecordProblem* problem = nullptr);

} // namespace quillon
