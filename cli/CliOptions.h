// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CaseConversion.h"
#include "engine/Name.h"
#include "engine/ReplaceSettings.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillon::cli {

enum class SortOrder : std::uint8_t { Name, Date, Taken, Modified, Natural };

/// What a failed rename does during --apply.
enum class OnError : std::uint8_t { Skip, Abort };

/// How the names are printed on standard output.
enum class OutputFormat : std::uint8_t {
    Text,          ///< "OLD -> NEW" lines, control characters escaped
    Json,          ///< one JSON object
    NullSeparated, ///< OLD and NEW as raw bytes, each ended by a NUL byte
};

/// One run of quillon-cli as the command line asks for it. Texts are decoded
/// from the raw argument bytes, so a byte that is not UTF-8 reaches the
/// engine as the same escaped code point a disk name would carry.
struct CliOptions {
    /// The folder a run works on at the moment (raw bytes, as the file system
    /// wants them): the PATH of a run of one folder, else each folder in turn.
    std::string folder;
    Name mask = U"*.*";
    SortOrder sort = SortOrder::Name;
    /// None unless --case or --window-defaults: only what the options ask
    /// for changes.
    CaseMode caseMode = CaseMode::None;
    /// The part of each name the case mode changes (Both: the whole name).
    Scope caseScope = Scope::Both;
    SmartCaseOptions smartOptions;
    /// The presses of "OK" in order; each already carries caseMode,
    /// caseScope and smartOptions, as the window's settings would at the
    /// moment of the press.
    std::vector<ReplaceSettings> presses;
    OutputFormat output = OutputFormat::Text;
    bool apply = false;
    /// --undo: take back the last save into the folder instead.
    bool undo = false;
    /// --history: list the saves of the user's history (of folder only,
    /// where one is given) instead.
    bool history = false;
    /// --yes: take back an undo record the user's history does not hold
    /// without asking.
    bool trustRecord = false;
    bool undoFile = true;
    OnError onError = OnError::Skip;
    /// --tags: print each listed file's fields instead.
    bool tags = false;
    /// --save-preset: the preset name (raw bytes) the options are saved as.
    std::string savePreset;

    // Paths and pipelines.
    /// The PATHs as given (raw bytes): a folder is listed, a file added.
    std::vector<std::string> paths;
    /// --files-from: a file of further PATHs ("-": standard input).
    std::optional<std::string> filesFrom;
    /// -0: that list is NUL-separated; else one PATH a line.
    bool zeroSeparated = false;
    /// -r: every subfolder of a folder PATH too (links not followed).
    bool recursive = false;
    /// --hidden: -r also enters folders whose name begins with ".".
    bool hidden = false;
    /// --include-folders: subfolders are listed, and renamed, beside files.
    bool includeFolders = false;
    /// --number-across: one run of numbers over all folders in order.
    bool numberAcross = false;
    /// --read-timeout: how long reading the fields of one file may take.
    std::chrono::milliseconds readTimeout{3000};

    /// Whether the command line may reach several folders (several PATHs,
    /// --files-from or -r): the output then has the form for several.
    bool manyFolders() const { return paths.size() > 1 || filesFrom || recursive; }
};

/// --help or --version: print and leave, whatever follows.
enum class InfoRequest : std::uint8_t { Help, Version };

/// A command line the program cannot run; message is for standard error.
struct UsageError {
    std::string message;
};

using ParseResult = std::variant<CliOptions, InfoRequest, UsageError>;

/// Where an option is listed in --help.
enum class OptionGroup : std::uint8_t { Information, Loading, Paths, Case, Press, Output, Saving };

struct ParseState;

/// What an option does to the command line being parsed; returns a message
/// for standard error when value (empty for an option without one) is wrong.
using OptionAction = std::optional<std::string> (*)(ParseState& state, std::string_view value);

/// One option: the parser, the dispatch and --help all read this entry.
struct OptionDefinition {
    std::string_view longName;  ///< "mask" for --mask
    char shortName;             ///< 'h' for -h; 0 for none
    std::string_view valueName; ///< "MASK" in --help; empty when it takes no value
    OptionGroup group;
    std::string_view help; ///< lines for --help, "\n" between them
    OptionAction action;
    /// Refused unless --apply is given too.
    bool onlyWithApply = false;
};

/// Every option quillon-cli accepts, in the order --help lists them.
std::span<const OptionDefinition> optionTable();

/// Parses the arguments after the program name.
ParseResult parseArguments(std::span<const std::string_view> args);

/// The text --help prints, ending with a line break.
std::string helpText();

/// The text --version prints, ending with a line break.
std::string versionText();

} // namespace quillon::cli
