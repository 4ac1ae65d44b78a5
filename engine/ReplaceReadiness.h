// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ReplaceSettings.h"

#include <cstdint>

namespace quillon {

/// What a press of "OK" still lacks before it can run. The window keeps "OK"
/// disabled while anything is missing; the command line refuses such a press.
enum class MissingInput : std::uint8_t {
    None,           ///< the press can run
    DeletePosition, ///< "Delete" is checked and its "Pos:" box is empty
    DeleteLength,   ///< "Delete" is checked and its "Length:" box is empty
    InsertPosition, ///< "Insert" is checked and its "Pos:" box is empty
    InsertText,     ///< "Insert" is checked and its "String:" box is empty
    /// The Replace text holds "/" or "*" (a pattern) and the With text is
    /// empty: reformatting, numbering and even a literal "a*b" would
    /// otherwise wipe the names.
    WithText,
    /// A With text without a Replace text: there is nothing to replace.
    ReplaceText,
    /// Both texts are empty and every finishing step is off, and so is
    /// "Number equal names": the press would change nothing.
    AnyChange,
};

/// The first thing settings lack for a press, in the order of the group's
/// controls (Delete, Insert, the pattern, the finishing steps).
MissingInput missingInput(const ReplaceSettings& settings);

/// Whether a press of "OK" with settings can run.
inline bool canApply(const ReplaceSettings& settings) {
    return missingInput(settings) == MissingInput::None;
}

} // namespace quillon
