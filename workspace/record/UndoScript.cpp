// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/record/UndoScript.h"

#include "workspace/disk/FileSystem.h"
#include "workspace/names/NameRules.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace quillon {

namespace {

constexpr std::string_view kShebang = "#!/bin/sh\n";
// Right under the marker, for a person whose file manager opens the script
// in an editor instead of running it. Scripts written before it was added
// lack it and are still read.
constexpr std::string_view kHowToRun =
    "# To rename the files back, run  sh '_Quillon - Click me to UNDO.sh'  in a terminal in "
    "this folder, or choose File > \"Undo Last Save\" in Quillon.\n";
static_assert(kHowToRun.find(kUndoScriptName) != std::string_view::npos);

// "mv -n" on top of the checks: should a file take the old name between the
// check and the move, it is still not replaced; the checks after each move
// tell success, as "mv -n" does not report a skipped move everywhere.
constexpr std::string_view kBody =
    R"sh(# Written by Quillon when it renamed files in this folder. Running it renames
# them back, newest rename first, and then deletes itself. A file goes back
# only from where the save left it and only onto a free name, so a run that
# stopped, or a second run, finishes what is left and never moves a file
# that is already back. Anything else is reported, and the script is then
# kept. Quillon's "Undo Last Save" reads this file too; once edited, it is
# no longer taken for Quillon's own.
unset CDPATH
self=${0##*/}
case $0 in
*/*) d=${0%/*}; cd -- "${d:-/}" || exit 1 ;;
esac
failed=0
nothing=0
restored=0
checking=1
nocase=
present() { [ -e "$1" ] || [ -h "$1" ]; }
report() { printf 'Not renamed back: %s\n' "$1" >&2; failed=1; }
move() { mv -n -- "$1" "$2" && ! present "$1" && present "$2"; }
# Every line is checked before the first rename: a name that could reach
# outside this folder, or this script itself, refuses the whole script.
refuse() {
    printf 'Not an undo record Quillon can take back: %s\n' "$1" >&2
    exit 1
}
check_names() {
    for n do
        case $n in
        '' | . | .. | */*) refuse "$n" ;;
        esac
        if [ "$n" = "$self" ]; then refuse "$n"; fi
    done
}
# The arguments are moves, new name then old name, in the order they are
# taken back; each frees the old name of the next. The first old name that
# is free tells how far the save, or an earlier run, got. Sets start to its
# move's number (-1 for none) and last to the new name of the last move.
find_start() {
    start=-1
    i=0
    while [ $# -ge 2 ]; do
        if [ "$start" -lt 0 ] && ! present "$2"; then start=$i; fi
        last=$1
        i=$((i + 1))
        shift 2
    done
}
# Moves back from move number $1 on; stops at the first that cannot go.
take_back() {
    skip=$1
    shift
    while [ "$skip" -gt 0 ]; do
        shift 2
        skip=$((skip - 1))
    done
    while [ $# -ge 2 ]; do
        if present "$1" && ! present "$2" && move "$1" "$2"; then
            restored=1
        else
            report "$1"
            return
        fi
        shift 2
    done
}
# A record written before renaming also holds renames that a crash or a stop
# kept from happening; newest first, those come before any that happened.
not_done() { [ "$planned" = 1 ] && [ "$restored" = 0 ]; }
back() {
    if [ "$checking" = 1 ]; then
        check_names "$@"
        return
    fi
    find_start "$@"
    if [ "$start" -ge 0 ]; then
        take_back "$start" "$@"
    elif ! present "$last" || not_done; then
        nothing=$((nothing + $# / 2))
    else
        report "$1"
    fi
}
identity() {
    id=$(ls -di -- "$1" 2>/dev/null) || id=
    id=${id#"${id%%[! ]*}"}
    id=${id%% *}
}
# A swap or rotation through the temporary name $3. With that name free the
# folder holds the same names before and after it: only the identity $1 of
# the file that went through it tells whether it is still to be taken back.
cycle_back() {
    if [ "$checking" = 1 ]; then
        case $1 in '' | *[!0-9]*) refuse "$1" ;; esac
        case $3 in "_Quillon swap "[0-9]*-[0-9]*.tmp) ;; *) refuse "$3" ;; esac
        shift
        check_names "$@"
        return
    fi
    ino=$1
    shift
    if present "$2"; then
        find_start "$@"
        if [ "$start" -ge 0 ]; then take_back "$start" "$@"; else report "$2"; fi
        return
    fi
    identity "$1"
    if [ "$id" = "$ino" ]; then
        take_back 0 "$@"
        return
    fi
    for n do :; done
    identity "$n"
    if [ "$id" = "$ino" ]; then
        nothing=$((nothing + $# / 2 - 1))
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
    if [ "$checking" = 1 ]; then
        case $3 in "_Quillon case "[0-9]*-[0-9]*.tmp) ;; *) refuse "$3" ;; esac
        check_names "$@"
        return
    fi
    if present "$3" && spelled "$2" && [ -f "$3" ] && ! [ -h "$3" ] && ! [ -s "$3" ]; then
        # Killed inside the first step: the file never left its old name, and
        # an empty file reserved the temporary name.
        rm -f -- "$3"
        nothing=$((nothing + 1))
    elif present "$3"; then
        # Stopped between the two steps: the file is under the temporary name.
        if ! present "$2" && move "$3" "$2"; then restored=1; else report "$1"; fi
    elif ! ignores_case; then
        back "$1" "$2"
    elif ! spelled "$1"; then
        if present "$2"; then nothing=$((nothing + 1)); else report "$1"; fi
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
finish() {
    if [ "$nothing" -gt 0 ]; then
        echo "$nothing renames had not been carried out or were already taken back; nothing to do for them."
    fi
    if [ "$failed" = 0 ]; then
        # By its own path, and only while it is still this script.
        if [ -f "$self" ] && [ "$(sed -n 2p < "$self")" = '# Quillon undo record 3' ]; then
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
constexpr std::string_view kSaveIdHead = "# Save ";
constexpr std::string_view kLinesHead =
    "# The renames taken back, newest first:\nundo_lines() {\n:\n";
constexpr std::string_view kFooter = "}\nundo_lines\nchecking=0\nundo_lines\nfinish\n";

struct Verb {
    std::string_view text;
    UndoUnitKind kind;
};

constexpr Verb kVerbs[] = {
    {"back ", UndoUnitKind::Chain},
    {"case_back ", UndoUnitKind::CaseOnly},
    {"cycle_back ", UndoUnitKind::Cycle},
};

std::string_view verbOf(UndoUnitKind kind) {
    for (const Verb& v : kVerbs) {
        if (v.kind == kind)
            return v.text;
    }
    return kVerbs[0].text;
}

void appendOrigin(std::string& out, std::uint64_t device, const SaveOrigin& origin) {
    if (device == 0 && !origin.known())
        return;
    out += " device " + std::to_string(device);
    out += " user " + std::to_string(origin.user);
    out += " machine " + origin.machine;
}

// Each new name of a move, and the first of a change of case, is followed
// by the identity of the file the save left under it.
bool keepsIdentity(UndoUnitKind kind, std::size_t k) {
    return kind == UndoUnitKind::CaseOnly ? k == 0 : k % 2 == 0;
}

constexpr std::string_view kIdentitiesHead = "#i";
// The identifier's line at its longest, and a byte to spare.
constexpr std::size_t kLongestIdLine = 64 + 8 + 20 + 6 + 10 + 9 + 128 + 2;

void appendHeader(std::string& out, bool planned, std::string_view saveId, bool howTo = true) {
    out += kShebang;
    out += kUndoScriptMarker;
    out += '\n';
    if (howTo)
        out += kHowToRun;
    out += kBody;
    out += planned ? kPlanned : kCarriedOut;
    out += kSaveIdHead;
    out += saveId;
    out += '\n';
    out += kLinesHead;
}

// Reads one word appendShellQuoted wrote: quoted runs joined by \'.
bool readQuoted(std::string_view& text, NameList& names, std::string& scratch) {
    scratch.clear();
    for (;;) {
        if (text.empty() || text.front() != '\'')
            return false;
        const std::size_t close = text.find('\'', 1);
        if (close == std::string_view::npos)
            return false;
        scratch.append(text.substr(1, close - 1));
        text.remove_prefix(close + 1);
        if (!text.starts_with("\\''"))
            break;
        scratch.push_back('\'');
        text.remove_prefix(2);
    }
    names.add(scratch);
    return true;
}

// Where the line that begins text ends (its '\n'), or npos while it runs
// on past the bytes at hand. Quoted runs may hold line ends of their own.
std::size_t lineEnd(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'') {
            i = text.find('\'', i + 1);
            if (i == std::string_view::npos)
                return i;
        } else if (c == '\\') {
            ++i;
        } else if (c == '\n') {
            return i;
        }
    }
    return std::string_view::npos;
}

// A number as to_chars writes it: digits, no leading zero but for 0.
bool readNumber(std::string_view& text, std::uint64_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const auto length = static_cast<std::size_t>(end - text.data());
    if (ec != std::errc() || length == 0 || (length > 1 && text.front() == '0'))
        return false;
    text.remove_prefix(length);
    return true;
}

bool readWord(std::string_view& text, std::string_view word) {
    if (!text.starts_with(word))
        return false;
    text.remove_prefix(word.size());
    return true;
}

// A cycle's file identity, never 0, and the space after it.
bool readIdentity(std::string_view& text, std::uint64_t& identity) {
    return readNumber(text, identity) && identity != 0 && readWord(text, " ");
}

// " device D user U machine M" after the save's identifier; records written
// before it was added end the line there.
bool readOrigin(std::string_view text, UndoRecord& record) {
    if (text.empty())
        return true;
    std::uint64_t user = 0;
    if (!readWord(text, " device ") || !readNumber(text, record.device) ||
        !readWord(text, " user ") || !readNumber(text, user) || user > SaveOrigin::kNoUser ||
        !readWord(text, " machine ") || !(text.empty() || isMachineId(text)))
        return false;
    record.origin.user = static_cast<std::uint32_t>(user);
    record.origin.machine = text;
    return true;
}

// " ID ID ...\n" after "#i": one identity for each name that keeps one.
bool readIdentities(std::string_view line, UndoRecord& record) {
    const UndoUnit& unit = record.units.back();
    record.identities.resize(record.names.size(), 0);
    for (std::size_t k = 0; k < unit.count; ++k) {
        if (!keepsIdentity(unit.kind, k))
            continue;
        if (!readWord(line, " ") || !readNumber(line, record.identities[unit.first + k]))
            return false;
    }
    return line == "\n";
}

const Verb* verbAt(std::string_view line) {
    for (const Verb& v : kVerbs) {
        if (line.starts_with(v.text))
            return &v;
    }
    return nullptr;
}

} // namespace

UndoScriptReader::UndoScriptReader()
    : m_headerSize(std::string(kShebang).size() + kUndoScriptMarker.size() + 1 + kHowToRun.size() +
                   kBody.size() + kPlanned.size() + kSaveIdHead.size() + 1 + kLinesHead.size()) {}

bool UndoScriptReader::fail(std::size_t at, std::string reason) {
    m_problem.line =
        m_line + static_cast<std::size_t>(std::count(
                     m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    m_problem.reason = std::move(reason);
    m_failed = true;
    return false;
}

// Everything up to the first line of renames is Quillon's own text, but for
// the planned flag and the save's identifier.
bool UndoScriptReader::header(std::size_t& at) {
    const std::string_view text = m_pending;
    std::string expected;
    for (const auto& [planned, howTo] : {std::pair(true, true), std::pair(false, true),
                                         std::pair(true, false), std::pair(false, false)}) {
        expected.clear();
        appendHeader(expected, planned, {}, howTo);
        const std::size_t idAt = expected.size() - kLinesHead.size() - 1;
        if (!text.starts_with(std::string_view(expected).substr(0, idAt)))
            continue;
        const std::size_t idEnd = text.find('\n', idAt);
        if (idEnd == std::string_view::npos)
            break;
        m_record.planned = planned;
        std::string_view idLine = text.substr(idAt, idEnd - idAt);
        const std::size_t space = std::min(idLine.find(' '), idLine.size());
        m_record.saveId = idLine.substr(0, space);
        idLine.remove_prefix(space);
        if (!isValidSaveId(m_record.saveId) || !readOrigin(idLine, m_record))
            return fail(idAt, "the save's identifier is not one Quillon writes");
        if (!text.substr(idEnd + 1).starts_with(kLinesHead))
            return fail(idEnd + 1, "the text differs from what Quillon writes");
        at = idEnd + 1 + kLinesHead.size();
        return true;
    }
    // The first line that differs from both headers.
    expected.clear();
    appendHeader(expected, true, {});
    const auto diverge = std::mismatch(text.begin(), text.end(), expected.begin(), expected.end());
    const auto same = static_cast<std::size_t>(diverge.first - text.begin());
    return fail(text.substr(0, same).rfind('\n') + 1, "the text differs from what Quillon writes");
}

// One whole line of renames, its '\n' included.
bool UndoScriptReader::unitLine(std::string_view line, std::size_t at) {
    const Verb* verb = verbAt(line);
    if (!verb)
        return fail(at, "the line is no rename Quillon writes");
    line.remove_prefix(verb->text.size());
    std::uint64_t identity = 0;
    if (verb->kind == UndoUnitKind::Cycle && !readIdentity(line, identity))
        return fail(at, "a cycle without the identity of its file");
    m_record.startUnit(verb->kind, identity);
    for (;;) {
        if (!readQuoted(line, m_record.names, m_scratch))
            return fail(at, "a name is not quoted as Quillon quotes it");
        ++m_record.units.back().count;
        if (line == "\n")
            break;
        if (!line.starts_with(' '))
            return fail(at, "the line does not end where Quillon ends it");
        line.remove_prefix(1);
        if (line.starts_with(kIdentitiesHead)) {
            if (m_record.device == 0 ||
                !readIdentities(line.substr(kIdentitiesHead.size()), m_record))
                return fail(at, "the identities of the files are not as Quillon writes them");
            break;
        }
    }
    if (const auto why = unitProblem(m_record, m_record.units.back()))
        return fail(at, *why);
    return true;
}

// Takes what it can of the bytes at hand; the rest waits for more.
void UndoScriptReader::take(bool atEnd) {
    std::size_t at = 0;
    if (!m_headerDone) {
        // The header with the longest identifier, and a byte to spare.
        if (!atEnd && m_pending.size() < m_headerSize + kLongestIdLine)
            return;
        if (!header(at))
            return;
        m_headerDone = true;
    }
    const std::string_view text = m_pending;
    for (;;) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with('}')) {
            if (atEnd && rest != kFooter)
                fail(at, "the text differs from what Quillon writes");
            m_footerSeen = rest == kFooter;
            break;
        }
        const std::size_t end = lineEnd(rest);
        if (end == std::string_view::npos) {
            if (atEnd)
                fail(at, rest.empty() ? "the text ends before Quillon's does"
                                      : "the line does not end where Quillon ends it");
            break;
        }
        if (!unitLine(rest.substr(0, end + 1), at))
            return;
        at += end + 1;
    }
    m_line += static_cast<std::size_t>(
        std::count(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    m_pending.erase(0, at);
}

bool UndoScriptReader::feed(std::string_view bytes) {
    if (m_failed)
        return false;
    m_pending.append(bytes);
    take(false);
    return !m_failed;
}

std::optional<UndoRecord> UndoScriptReader::finish(UndoRecordProblem* problem) {
    if (!m_failed)
        take(true);
    if (!m_failed && !m_footerSeen)
        fail(0, "the text ends before Quillon's does");
    if (m_failed) {
        if (problem)
            *problem = std::move(m_problem);
        return std::nullopt;
    }
    return std::move(m_record);
}

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

UndoScriptWriter::UndoScriptWriter(bool planned, std::string_view saveId, std::size_t units,
                                   std::size_t bytes, std::string buffer, std::uint64_t device,
                                   const SaveOrigin& origin)
    : m_text(std::move(buffer))
    , m_withIdentities(device != 0) {
    m_text.clear();
    appendHeader(m_text, planned, saveId);
    // The origin goes at the end of the identifier's line.
    std::string originText;
    appendOrigin(originText, device, origin);
    m_text.insert(m_text.size() - kLinesHead.size() - 1, originText);
    // A verb, the quotes, the separators and the line end take some 24 bytes.
    m_text.reserve(m_text.size() + kFooter.size() + bytes * 11 / 10 + units * 32);
}

void UndoScriptWriter::endLine() {
    if (m_inLine) {
        if (m_withIdentities) {
            m_text.push_back(' ');
            m_text.append(kIdentitiesHead);
            m_text.append(m_identityText);
        }
        m_text.push_back('\n');
    }
    m_inLine = false;
    m_identityText.clear();
    m_namesInLine = 0;
}

void UndoScriptWriter::startUnit(UndoUnitKind kind, std::uint64_t identity) {
    endLine();
    m_text.append(verbOf(kind));
    if (kind == UndoUnitKind::Cycle) {
        char digits[24];
        m_text.append(digits, std::to_chars(std::begin(digits), std::end(digits), identity).ptr);
        m_text.push_back(' ');
    }
    m_inLine = true;
    m_kind = kind;
}

void UndoScriptWriter::addName(std::string_view name, std::uint64_t fileIdentity) {
    if (m_text.back() != ' ')
        m_text.push_back(' ');
    appendShellQuoted(m_text, name);
    if (m_withIdentities && keepsIdentity(m_kind, m_namesInLine)) {
        char digits[24];
        m_identityText.push_back(' ');
        m_identityText.append(
            digits, std::to_chars(std::begin(digits), std::end(digits), fileIdentity).ptr);
    }
    ++m_namesInLine;
}

std::string UndoScriptWriter::finish() {
    endLine();
    m_text.append(kFooter);
    return std::move(m_text);
}

std::string undoScriptText(const UndoRecord& record) {
    UndoScriptWriter writer(record.planned, record.saveId, record.units.size(),
                            record.names.byteSize(), {},
                            record.identities.empty() ? 0 : record.device, record.origin);
    for (const UndoUnit& unit : record.units) {
        writer.startUnit(unit.kind, unit.identity);
        for (std::size_t k = 0; k < unit.count; ++k)
            writer.addName(record.name(unit, k), record.identityOf(unit, k));
    }
    return writer.finish();
}

std::optional<UndoRecord> parseUndoScript(std::string_view text, UndoRecordProblem* problem) {
    UndoScriptReader reader;
    reader.feed(text);
    return reader.finish(problem);
}

} // namespace quillon
