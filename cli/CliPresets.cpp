// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliPresets.h"

#include "cli/ParseState.h"
#include "cli/TextWriter.h"

#include "workspace/disk/PosixFileSystem.h"
#include "workspace/presets/PresetStore.h"

#include <cstring>

namespace quillon::cli {

namespace {

constexpr std::pair<SortOrder, PresetSort> kSorts[] = {
    {SortOrder::Name, PresetSort::Name},       {SortOrder::Date, PresetSort::Date},
    {SortOrder::Taken, PresetSort::Taken},     {SortOrder::Modified, PresetSort::Modified},
    {SortOrder::Natural, PresetSort::Natural},
};

SortOrder sortOf(PresetSort sort) {
    for (const auto& [order, presetSort] : kSorts) {
        if (presetSort == sort)
            return order;
    }
    return SortOrder::Name;
}

PresetSort presetSortOf(SortOrder sort) {
    for (const auto& [order, presetSort] : kSorts) {
        if (order == sort)
            return presetSort;
    }
    return PresetSort::Name;
}

// What a press of the preset would change, so that it runs.
bool hasWork(const ReplaceSettings& s) {
    return !s.find.empty() || s.deleteEnabled || s.insertEnabled || s.deleteDigits ||
           s.spacesFromPercent20AndUnderscore || s.deleteExtraSpaces;
}

} // namespace

std::optional<std::string> startFromPreset(ParseState& state, std::string_view name) {
    if (!PresetStore::isValidName(name))
        return "--preset: " + quotedForTerminal(name) +
               R"( is no preset name (empty, beginning with "." or holding "/"))";
    PosixFileSystem fs;
    const PresetStore store(fs, PresetStore::defaultDirectory());
    const auto loaded = store.load(name);
    if (const auto* refusal = std::get_if<PresetRefusal>(&loaded))
        return "--preset: " + describeRefusal(*refusal);
    const auto& preset = std::get<Preset>(loaded);
    CliOptions& options = state.options;
    options.mask = preset.mask;
    options.sort = sortOf(preset.sort);
    options.caseMode = preset.settings.caseMode;
    options.caseScope = Scope::Both;
    options.smartOptions = preset.settings.smartOptions;
    state.caseGiven = true;
    state.press = preset.settings;
    state.cleanUp.charToSpaces = preset.settings.spacesFromPercent20AndUnderscore;
    state.cleanUp.deleteExtraSpaces = preset.settings.deleteExtraSpaces;
    state.pressGiven = hasWork(preset.settings);
    return std::nullopt;
}

std::optional<std::string> savePreset(const CliOptions& options, FileSystem& fs) {
    if (options.presses.size() > 1)
        return std::string("--save-preset keeps one press of \"OK\", but --then gives more");
    Preset preset;
    preset.mask = options.mask;
    preset.sort = presetSortOf(options.sort);
    if (options.presses.empty()) {
        // The command line's defaults: no finishing step.
        preset.settings.spacesFromPercent20AndUnderscore = false;
        preset.settings.deleteExtraSpaces = false;
    } else {
        preset.settings = options.presses.front();
    }
    preset.settings.caseMode = options.caseMode;
    preset.settings.smartOptions = options.smartOptions;
    preset.settings.caseScope = Scope::Both;
    PresetStore store(fs, PresetStore::defaultDirectory());
    if (store.directory().empty())
        return std::string("--save-preset: neither XDG_CONFIG_HOME nor HOME is set");
    if (const int err = store.save(options.savePreset, preset))
        return "--save-preset: cannot write " +
               quotedForTerminal(store.filePath(options.savePreset)) + ": " + std::strerror(err);
    return std::nullopt;
}

} // namespace quillon::cli
