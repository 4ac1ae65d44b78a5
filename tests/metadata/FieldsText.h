// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"

#include <string>

namespace quillon::test {

/// Every field present with its value ("artist=Art; year=1999; taken=2004-3-5
/// 9:7:31; "), so that two readings compare, and differ, as text.
std::string fieldsText(const metadata::FileFields& fields);

} // namespace quillon::test
