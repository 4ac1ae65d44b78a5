// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace quillon {
class Workspace;
}

namespace quillon::cli {

/// --tags: prints the fields of every listed file of workspace, one line
/// per file ("NAME<TAB>field=value<TAB>..."), or one JSON object per line;
/// returns the exit status.
int runTags(Workspace& workspace, const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace quillon::cli
