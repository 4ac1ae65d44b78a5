// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/save/SaveCallbacks.h"

#include <string>

namespace quillon::cli {

/// A save's refusal or trouble on one line, without the program's name;
/// names quoted for a terminal (appendShellQuoted).
std::string saveNoticeText(const SaveNotice& notice);

/// The window's failure message for a rename of oldName that failed with
/// error, on one line (UTF-8, the name as its raw bytes).
std::string renameFailureText(NameView oldName, int error);

} // namespace quillon::cli
