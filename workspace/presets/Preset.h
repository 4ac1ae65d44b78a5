// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"
#include "engine/ReplaceSettings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace quillon {

/// The order a preset loads a folder in.
enum class PresetSort : std::uint8_t { Name, Date, Taken, Modified, Natural };

/// What a press and a load use, kept under a name for the window and the
/// command line alike: the mask, the sort order, and the "Replace" and
/// "Case" groups' settings (the case mode always changes the whole name).
struct Preset {
    Name mask = U"*.*";
    PresetSort sort = PresetSort::Name;
    ReplaceSettings settings;
};

/// The format's version; a file of any other version is refused.
inline constexpr int kPresetVersion = 1;

/// Why a preset file was refused: the field ("version", "replace.deletePos",
/// or empty for the document as a whole) and what is wrong with it.
struct PresetProblem {
    std::string field;
    std::string reason;
};

/// Reads a preset file's text. Fields left out take the window's defaults;
/// an unknown field, a value of the wrong type, a text with a control
/// character or longer than kPresetTextLimit, or another version refuses the
/// whole file.
std::variant<Preset, PresetProblem> parsePreset(std::string_view text);

/// The preset as the file's text: every field, one per line.
std::string presetText(const Preset& preset);

/// The longest text a preset field may hold, in characters.
inline constexpr std::size_t kPresetTextLimit = 1024;

} // namespace quillon
