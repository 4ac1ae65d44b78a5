// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/UndoScript.h"

#include "workspace/FileSystem.h"
#include "workspace/FolderReader.h"

#include <algorithm>

namespace quillon {

namespace {

constexpr std::string_view kShebang = "#!/bin/sh\n";

// "mv -n" on top of the checks: should a file take the old name between the
// check and the move, it is still not replaced; the checks after each move
// tell success, as "mv -n" does not report a skipped move everywhere.
constexpr std::string_view kBody =
    R"sh(# Written by Quillon when it renamed files in this folder. Running it renames
# them back, newest rename first, and then deletes itself. A file is renamed
# back only while its new name is there and its old name is free; anything
# else is reported, and the script is then kept. Quillon's "Undo Last Save"
# reads this file too; once edited, it is no longer taken for Quillon's own.
unset CDPATH
self=${0##*/}
case $0 in
*/*) d=${0%/*}; cd -- "${d:-/}" || exit 1 ;;
esac
failed=0
skipped=0
restored=0
nocase=
present() { [ -e "$1" ] || [ -h "$1" ]; }
report() { printf 'Not renamed back: %s\n' "$1" >&2; failed=1; }
move() { mv -n -- "$1" "$2" && ! present "$1" && present "$2"; }
# A record written before renaming also holds renames that a crash or a stop
# kept from happening. Newest first, those come before any that happened,
# and their file still has its old name: they are left alone.
not_done() { [ "$planned" = 1 ] && [ "$restored" = 0 ] && present "$2"; }
back() {
    if present "$1" && ! present "$2"; then
        if move "$1" "$2"; then restored=1; else report "$1"; fi
    elif not_done "$1" "$2"; then
        skipped=$((skipped + 1))
    else
        report "$1"
    fi
}
ignores_case() {
    if [ -z "$nocase" ]; then
        nocase=0
        p="_quillon probe $$"
        if (set -C; : > "$p") 2>/dev/null; then
            present "_QUILLON PROBE $$" && nocase=1
            rm -f -- "$p"
        fi
    fi
    [ "$nocase" = 1 ]
}
# Where the disk ignores case, [ -e ] finds a name in any spelling; only the
# listing tells which one the folder holds. It reads the whole folder, so it
# is asked only where the spelling decides.
spelled() {
    for f in .* *; do
        if [ "$f" = "$1" ]; then return 0; fi
    done
    return 1
}
# A change of letter case only; where the disk ignores case it went through
# the temporary name $3.
case_back() {
    if present "$3" && spelled "$2" && [ -f "$3" ] && ! [ -h "$3" ] && ! [ -s "$3" ]; then
        # Killed inside the first step: the file never left its old name, and
        # an empty file reserved the temporary name.
        rm -f -- "$3"
        skipped=$((skipped + 1))
    elif present "$3"; then
        # Stopped between the two steps: the file is under the temporary
        # name, and an empty file under the new one is the placeholder some
        # disks create before a rename.
        if [ -f "$1" ] && ! [ -h "$1" ] && ! [ -s "$1" ]; then rm -f -- "$1"; fi
        if ! present "$2" && move "$3" "$2"; then restored=1; else report "$1"; fi
    elif ! ignores_case; then
        back "$1" "$2"
    elif [ "$planned" = 1 ] && [ "$restored" = 0 ] && ! spelled "$1"; then
        if present "$2"; then skipped=$((skipped + 1)); else report "$1"; fi
    elif present "$1"; then
        # Either spelling finds the file; through a fresh temporary name it
        # ends up with the old spelling, whichever it had.
        n=0; t="_Quillon case $$-0.tmp"
        while present "$t"; do n=$((n + 1)); t="_Quillon case $$-$n.tmp"; done
        if mv -n -- "$1" "$t" && present "$t"; then
            mv -n -- "$t" "$2" && ! present "$t" || { mv -n -- "$t" "$1"; report "$1"; }
        else
            report "$1"
        fi
    else
        report "$1"
    fi
}
# The last step of a cycle, from the temporary name $2: the marker $3 is
# there from just before that step until saving ends.
swap_back() {
    if present "$2" || present "$3"; then
        back "$1" "$2"
        rm -f -- "$3"
    else
        skipped=$((skipped + 1))
    fi
}
finish() {
    if [ "$skipped" -gt 0 ]; then
        echo "$skipped renames had not been carried out; nothing to do for them."
    fi
    if [ "$failed" = 0 ]; then
        # By its own path, and only while it is still this script.
        if [ -f "$self" ] && [ "$(sed -n 2p < "$self")" = '# Quillon undo record 2' ]; then
            rm -f -- "$self"
        fi
        exit 0
    fi
    echo 'Some files were not renamed back; this script was kept.' >&2
    exit 1
}
)sh";

constexpr std::string_view kPlanned = "planned=1\n";
constexpr std::string_view kCarriedOut = "planned=0\n";
constexpr std::string_view kLinesHead = "# The renames taken back, newest first:\n";
constexpr std::string_view kFooter = "finish\n";
constexpr std::string_view kBack = "back ";
constexpr std::string_view kCaseBack = "case_back ";
constexpr std::string_view kSwapBack = "swap_back ";

std::string header(bool planned) {
    std::string out(kShebang);
    out += kUndoScriptMarker;
    out += '\n';
    out += kBody;
    out += planned ? kPlanned : kCarriedOut;
    out += kLinesHead;
    return out;
}

// Reads one word appendShellQuoted wrote: quoted runs joined by \'.
bool readQuoted(std::string_view& text, std::string& out) {
    out.clear();
    for (;;) {
        if (text.empty() || text.front() != '\'')
            return false;
        const std::size_t close = text.find('\'', 1);
        if (close == std::string_view::npos)
            return false;
        out.append(text.substr(1, close - 1));
        text.remove_prefix(close + 1);
        if (text.substr(0, 3) != "\\''")
            return true;
        out.push_back('\'');
        text.remove_prefix(2);
    }
}

bool readSeparator(std::string_view& text, char c) {
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

// The verb of a line and the word after its two names, if any.
struct LineShape {
    std::string_view verb;
    std::string UndoStep::*extra;
};

constexpr LineShape kShapes[] = {
    {kCaseBack, &UndoStep::temporary},
    {kSwapBack, &UndoStep::marker},
    {kBack, nullptr},
};

// One line of the body: back 'NEW' 'OLD', case_back 'NEW' 'OLD' 'TEMP' or
// swap_back 'NEW' 'TEMP' 'MARKER'.
bool readLine(std::string_view& text, UndoStep& step) {
    const LineShape* shape = nullptr;
    for (const LineShape& s : kShapes) {
        if (!shape && text.starts_with(s.verb))
            shape = &s;
    }
    if (!shape)
        return false;
    text.remove_prefix(shape->verb.size());
    if (!readQuoted(text, step.to) || !readSeparator(text, ' ') || !readQuoted(text, step.from))
        return false;
    if (shape->extra && (!readSeparator(text, ' ') || !readQuoted(text, step.*shape->extra) ||
                         (step.*shape->extra).empty()))
        return false;
    return readSeparator(text, '\n');
}

} // namespace

std::size_t undoScriptSignatureLength() {
    return kShebang.size() + kUndoScriptMarker.size() + 1;
}

bool hasUndoScriptSignature(std::string_view bytes) {
    return bytes.size() >= undoScriptSignatureLength() && bytes.starts_with(kShebang) &&
           bytes.substr(kShebang.size()).starts_with(kUndoScriptMarker) &&
           bytes[undoScriptSignatureLength() - 1] == '\n';
}

bool folderHoldsUndoScript(FileSystem& fs, const std::string& folder) {
    std::string start;
    return fs.readRegularFile(folder, kUndoScriptName, undoScriptSignatureLength(), start) == 0 &&
           hasUndoScriptSignature(start);
}

void appendShellQuoted(std::string& out, std::string_view bytes) {
    out.push_back('\'');
    // Whole runs at a time: few names hold a quote at all.
    for (;;) {
        const std::size_t quote = bytes.find('\'');
        out.append(bytes.substr(0, quote));
        if (quote == std::string_view::npos)
            break;
        out.append("'\\''");
        bytes.remove_prefix(quote + 1);
    }
    out.push_back('\'');
}

UndoScriptWriter::UndoScriptWriter(bool planned, std::size_t steps, std::size_t bytes,
                                   std::string buffer)
    : m_text(std::move(buffer)) {
    // Appended, not assigned: a moved-in header would drop the lent storage.
    m_text.clear();
    m_text += header(planned);
    // A verb, four quotes, the separators and the line end take some 24 bytes.
    m_text.reserve(m_text.size() + kFooter.size() + bytes + steps * 24);
}

void UndoScriptWriter::addNewestFirst(std::string_view from, std::string_view to,
                                      std::string_view temporary, std::string_view marker) {
    const std::string_view extra = temporary.empty() ? marker : temporary;
    m_text.append(!temporary.empty() ? kCaseBack : !marker.empty() ? kSwapBack : kBack);
    appendShellQuoted(m_text, to);
    m_text.push_back(' ');
    appendShellQuoted(m_text, from);
    if (!extra.empty()) {
        m_text.push_back(' ');
        appendShellQuoted(m_text, extra);
    }
    m_text.push_back('\n');
}

std::string UndoScriptWriter::finish() {
    m_text.append(kFooter);
    return std::move(m_text);
}

std::string undoScriptText(const UndoRecord& record) {
    std::size_t bytes = 0;
    for (const UndoStep& s : record.steps)
        bytes += s.from.size() + s.to.size() + s.temporary.size() + s.marker.size();
    UndoScriptWriter writer(record.planned, record.steps.size(), bytes);
    // Newest first: the way back undoes the last rename first.
    std::for_each(record.steps.rbegin(), record.steps.rend(), [&writer](const UndoStep& step) {
        writer.addNewestFirst(step.from, step.to, step.temporary, step.marker);
    });
    return writer.finish();
}

std::optional<UndoRecord> parseUndoScript(std::string_view text) {
    UndoRecord record;
    if (text.starts_with(header(true)))
        record.planned = true;
    else if (!text.starts_with(header(false)))
        return std::nullopt;
    text.remove_prefix(header(record.planned).size());
    while (text != kFooter) {
        UndoStep step;
        if (!readLine(text, step))
            return std::nullopt;
        record.steps.push_back(std::move(step));
    }
    std::reverse(record.steps.begin(), record.steps.end());
    return record;
}

} // namespace quillon
