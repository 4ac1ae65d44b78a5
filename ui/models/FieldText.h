// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FieldTokens.h"
#include "metadata/FileFields.h"

#include <QString>

namespace quillon {

/// The tokens of fields as the With text spells them, in field order:
/// "<artist>, <title>".
QString fieldTokenList(FieldSet fields);

/// The token of one field: "<artist>".
QString fieldToken(Field field);

/// The value of field as the file holds it, for showing (dates as
/// "yyyy-MM-dd HH:mm:ss"); empty when the file lacks it.
QString fieldValueText(const metadata::FileFields& fields, Field field);

} // namespace quillon
