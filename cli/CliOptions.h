#pragma once

#include "engine/CaseConversion.h"
#include "engine/Name.h"
#include "engine/ReplaceSettings.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillon::cli {

enum class SortOrder : std::uint8_t { Name, Date };

/// What a failed rename does during --apply.
enum class OnError : std::uint8_t { Skip, Abort };

/// One run of quillon-cli as the command line asks for it. Texts are decoded
/// from the raw argument bytes, so a byte that is not UTF-8 reaches the
/// engine as the same escaped code point a disk name would carry.
struct CliOptions {
    /// Raw bytes, as the file system wants them.
    std::string folder;
    Name mask = U"*.*";
    SortOrder sort = SortOrder::Name;
    CaseMode caseMode = CaseMode::Smart;
    SmartCaseOptions smartOptions;
    /// The presses of "OK" in order; each already carries caseMode and
    /// smartOptions, as the window's settings would at the moment of the press.
    std::vector<ReplaceSettings> presses;
    bool json = false;
    bool apply = false;
    /// --undo: take back the last save into the folder instead.
    bool undo = false;
    bool undoFile = true;
    OnError onError = OnError::Skip;
};

/// --help or --version: print and leave, whatever else was given.
enum class InfoRequest : std::uint8_t { Help, Version };

/// A command line the program cannot run; message is for standard error.
struct UsageError {
    std::string message;
};

using ParseResult = std::variant<CliOptions, InfoRequest, UsageError>;

/// Parses the arguments after the program name.
ParseResult parseArguments(std::span<const std::string_view> args);

/// The text --help prints, ending with a line break.
std::string_view helpText();

/// The text --version prints, ending with a line break.
std::string versionText();

} // namespace quillon::cli
