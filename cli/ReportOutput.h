// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"
#include "cli/RenameReport.h"

#include <iosfwd>

namespace quillon::cli {

/// Prints report as format asks: the names on out; in text, the summary
/// line on err, so that out holds nothing but the names.
void writeReport(const RenameReport& report, OutputFormat format, std::ostream& out,
                 std::ostream& err);

} // namespace quillon::cli
