// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/SaveCallbacks.h"

#include <string>

namespace quillon::cli {

/// The text of a save's refusal or trouble, as the window words it (UTF-8,
/// names as their raw bytes).
std::string saveNoticeText(const SaveNotice& notice);

/// The text of the failure box for a rename of oldName that failed with error.
std::string renameFailureText(NameView oldName, int error);

} // namespace quillon::cli
