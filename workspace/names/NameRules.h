// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

/// Name of the undo script that saving leaves in a folder. Quillon's own
/// script (see folderHoldsUndoScript) is never listed; any other file of
/// that name is an ordinary file.
inline constexpr char kUndoScriptName[] = "_Quillon - Click me to UNDO.sh";

/// Kinds of names that Quillon gives its own short-lived files.
enum class OwnNameKind : std::uint8_t { None, Swap, Case, Record, SwapDone };

/// The kind of name when it has exactly the form Quillon gives its own
/// files ("_Quillon swap 123-4.tmp"), else None.
OwnNameKind ownNameKind(std::string_view name);

/// "_Quillon KIND TAG-COUNTER.tmp" into out (assigned); returns a view of out.
std::string_view ownNameInto(std::string& out, std::string_view kind, long tag, unsigned counter);

/// True when a and b are the same name, or differ only in letter case
/// (Unicode simple case folding, as a disk that ignores case compares).
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

/// True for a name that can stand for one entry of the folder itself: not
/// empty, not "." or "..", without "/" or NUL.
bool isOneComponent(std::string_view name);

/// True for the undo script's name in any letter case: on a disk that
/// ignores case, a file of that name would take the script's place.
bool isUndoScriptNameIgnoringCase(std::string_view bytes);

/// False for a name no file in the folder may be renamed to: empty, "." or
/// "..", holding "/" or a NUL byte, the undo script's name in any case, or
/// a name of the form Quillon gives its own temporary files.
bool isValidNewName(std::string_view bytes);

} // namespace quillon
