#include "workspace/UndoScript.h"

#include "workspace/FolderReader.h"

namespace quillon {

namespace {

// "mv -n" on top of the checks: should a file take the old name between the
// check and the move, it is still not replaced; the checks after each move
// tell success, as "mv -n" does not report a skipped move everywhere.
constexpr std::string_view kHeader = R"(#!/bin/sh
# Written by Quillon when it renamed files in this folder. Running it renames
# them back, newest rename first, and then deletes this script. A file is
# renamed back only while its new name is there and its old name is free;
# anything else is reported, and the script is then kept.
unset CDPATH
case $0 in
*/*) d=${0%/*}; cd -- "${d:-/}" || exit 1 ;;
esac
failed=0
present() { [ -e "$1" ] || [ -h "$1" ]; }
report() { printf 'Not renamed back: %s\n' "$1" >&2; failed=1; }
back() {
    if ! present "$1" || present "$2"; then report "$1"; return; fi
    mv -n -- "$1" "$2" && ! present "$1" && present "$2" || report "$1"
}
listed() { for f in * .*; do [ "$f" = "$1" ] && return 0; done; return 1; }
# Names that differ only in letter case: on a disk that ignores case the old
# name finds the same file, so the move goes through a temporary name. Some
# FUSE disks number each spelling apart; the listing then tells.
case_back() {
    if ! present "$1"; then report "$1"; return; fi
    if present "$2" && ! [ "$1" -ef "$2" ] && listed "$2"; then report "$1"; return; fi
    n=0; t="_Quillon case $$-0.tmp"
    while present "$t"; do n=$((n + 1)); t="_Quillon case $$-$n.tmp"; done
    if mv -n -- "$1" "$t" && present "$t" && ! present "$1"; then
        if mv -n -- "$t" "$2" && ! present "$t"; then return; fi
        mv -n -- "$t" "$1"
    fi
    report "$1"
}
)";

} // namespace

void appendShellQuoted(std::string& out, std::string_view bytes) {
    out.push_back('\'');
    for (const char c : bytes) {
        if (c == '\'')
            out.append("'\\''");
        else
            out.push_back(c);
    }
    out.push_back('\'');
}

std::string undoScriptText(const std::vector<UndoRename>& renames) {
    std::string out(kHeader);
    std::size_t size = out.size() + 256;
    for (const UndoRename& r : renames)
        size += r.newName.size() + r.oldName.size() + 16;
    out.reserve(size);
    for (auto it = renames.rbegin(); it != renames.rend(); ++it) {
        out.append(it->caseOnly ? "case_back " : "back ");
        appendShellQuoted(out, it->newName);
        out.push_back(' ');
        appendShellQuoted(out, it->oldName);
        out.push_back('\n');
    }
    out.append("if [ \"$failed\" = 0 ]; then\n    rm -f -- ");
    appendShellQuoted(out, kUndoScriptName);
    out.append("\nelse\n    echo 'Some files were not renamed back; this script was kept.' >&2\n"
               "    exit 1\nfi\n");
    return out;
}

} // namespace quillon
