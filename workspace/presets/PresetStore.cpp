// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/presets/PresetStore.h"

#include "workspace/disk/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quillon {

namespace {

constexpr std::string_view kExtension = ".json";

bool isAbsolute(const char* value) {
    return value && value[0] == '/';
}

} // namespace

std::string describeRefusal(const PresetRefusal& refusal) {
    std::string out = "preset " + refusal.file + ": ";
    if (refusal.error != 0)
        return out + std::strerror(refusal.error);
    if (!refusal.field.empty())
        out += refusal.field + ": ";
    return out + refusal.reason;
}

PresetStore::PresetStore(FileSystem& fs, std::string directory)
    : m_fs(fs)
    , m_directory(std::move(directory)) {}

std::string PresetStore::defaultDirectory(const Environment& env) {
    // A relative value would depend on where the program runs: it counts as unset.
    if (const char* config = env.variable("XDG_CONFIG_HOME"); isAbsolute(config))
        return std::string(config) + "/quillon/presets";
    if (const char* home = env.variable("HOME"); isAbsolute(home))
        return std::string(home) + "/.config/quillon/presets";
    return {};
}

bool PresetStore::isValidName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName || name.front() == '.')
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || byte < 0x20 || byte == 0x7F;
    });
}

std::string PresetStore::fileName(std::string_view name) {
    return std::string(name) + std::string(kExtension);
}

std::string PresetStore::filePath(std::string_view name) const {
    return m_directory + '/' + fileName(name);
}

std::vector<std::string> PresetStore::names() const {
    std::vector<std::string> out;
    FolderListing listing;
    if (m_directory.empty() || m_fs.readFolder(m_directory, listing) != 0)
        return out;
    for (std::size_t i = 0; i < listing.names.size(); ++i) {
        const std::string_view file = listing.names[i];
        if (!file.ends_with(kExtension) || listing.types[i] == EntryType::Directory)
            continue;
        const std::string_view name = file.substr(0, file.size() - kExtension.size());
        if (isValidName(name))
            out.emplace_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::variant<Preset, PresetRefusal> PresetStore::load(std::string_view name) const {
    PresetRefusal refusal{filePath(name), "", "", 0};
    if (!isValidName(name)) {
        refusal.reason = "not a name a preset can have";
        return refusal;
    }
    if (m_fs.regularFileSize(m_directory, fileName(name)) > std::int64_t{kLargestFile}) {
        refusal.reason = "larger than a preset can be";
        return refusal;
    }
    std::string text;
    if (const int err = m_fs.readRegularFile(m_directory, fileName(name), kLargestFile, text)) {
        refusal.error = err;
        return refusal;
    }
    auto parsed = parsePreset(text);
    if (auto* problem = std::get_if<PresetProblem>(&parsed)) {
        refusal.field = problem->field;
        refusal.reason = problem->reason;
        return refusal;
    }
    return std::get<Preset>(std::move(parsed));
}

int PresetStore::save(std::string_view name, const Preset& preset) {
    if (!isValidName(name) || m_directory.empty())
        return EINVAL;
    if (const int err = m_fs.createFolders(m_directory))
        return err;
    return m_fs.writeFileAtomically(m_directory, fileName(name), presetText(preset), true);
}

int PresetStore::remove(std::string_view name) {
    if (!isValidName(name))
        return EINVAL;
    return m_fs.removeFile(m_directory, fileName(name));
}

int PresetStore::rename(std::string_view from, std::string_view to) {
    if (!isValidName(from) || !isValidName(to))
        return EINVAL;
    return m_fs.renameNoReplace(m_directory, fileName(from), fileName(to));
}

} // namespace quillon
