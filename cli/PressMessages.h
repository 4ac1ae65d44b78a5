// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Refusals.h"
#include "engine/ReplacePlan.h"

#include <string>

namespace quillon::cli {

/// Why a press was refused, on one line and in terms of the options
/// ("--delete: POS must be ..."), with the refusal's number at the end.
std::string refusalLine(RefusalCode code);

/// Why a regular expression or the groups its --with names do not compile,
/// on one line: ICU's name for the fault and the 1-based position in the
/// option's text.
std::string expressionLine(const ExpressionError& error);

} // namespace quillon::cli
