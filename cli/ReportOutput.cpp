// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReportOutput.h"

#include "cli/JsonWriter.h"
#include "cli/TextWriter.h"

#include <ostream>

namespace quillon::cli {

void writeReport(const RenameReport& report, OutputFormat format, std::ostream& out,
                 std::ostream& err) {
    switch (format) {
    case OutputFormat::Json:
        writeJson(report, out);
        return;
    case OutputFormat::NullSeparated:
        writeNullSeparatedPairs(report, out);
        return;
    case OutputFormat::Text:
        writeChangeLines(report, out);
        out.flush();
        err << summaryLine(report) << missingLine(report);
        return;
    }
}

} // namespace quillon::cli
