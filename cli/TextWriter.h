#pragma once

#include "cli/RenameReport.h"

#include <string>

namespace quillon::cli {

/// "OLD -> NEW" for each entry whose name changes, then one summary line.
/// Names are written as their raw bytes, so they can be copied back into a
/// shell exactly as the disk spells them.
std::string dryRunText(const RenameReport& report);

} // namespace quillon::cli
