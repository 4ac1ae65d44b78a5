// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/SystemEnvironment.h"
#include "workspace/presets/Preset.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillon {

class FileSystem;

/// A preset file that cannot be used: the file, and the field with what is
/// wrong (field empty when the file as a whole is), or the errno that kept
/// it from being read.
struct PresetRefusal {
    std::string file;
    std::string field;
    std::string reason;
    int error = 0;
};

/// "preset FILE: FIELD: REASON", for the command line and the window alike.
std::string describeRefusal(const PresetRefusal& refusal);

/// The user's named presets: one file NAME.json each in one folder, by
/// default $XDG_CONFIG_HOME/quillon/presets (~/.config/quillon/presets).
/// Names come from the user or the command line and files from anywhere,
/// so both are checked before use: a name never leads out of the folder.
class PresetStore final {
public:
    PresetStore(FileSystem& fs, std::string directory);

    /// The default folder; empty when neither XDG_CONFIG_HOME nor HOME is an
    /// absolute path in env.
    static std::string defaultDirectory(const Environment& env = systemEnvironment());
    /// A name that is one plain file name: not empty, no "/", no control
    /// character, not beginning with "." (so neither "." nor ".."), at most
    /// kLongestName bytes.
    static bool isValidName(std::string_view name);
    static constexpr std::size_t kLongestName = 200;
    /// Preset files are small; anything larger is refused unread.
    static constexpr std::size_t kLargestFile = std::size_t{64} * 1024;

    const std::string& directory() const { return m_directory; }
    /// The path of name's file.
    std::string filePath(std::string_view name) const;
    /// The names of the presets in the folder, sorted; none when it is missing.
    std::vector<std::string> names() const;
    std::variant<Preset, PresetRefusal> load(std::string_view name) const;
    /// Writes name's file whole (replacing an older one), creating the folder.
    int save(std::string_view name, const Preset& preset);
    int remove(std::string_view name);
    /// Never replaces another preset (EEXIST).
    int rename(std::string_view from, std::string_view to);

private:
    static std::string fileName(std::string_view name);

    FileSystem& m_fs;
    std::string m_directory;
};

} // namespace quillon
