// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillon::cli {

/// The symbolic name of an errno value ("EEXIST"), which unlike the text of
/// strerror is the same in every language and C library; the number in
/// decimal for a value this program does not know by name.
std::string errnoName(int error);

} // namespace quillon::cli
