// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillon::cli {

/// The symbolic name of an errno value ("EEXIST"), which unlike the text of
/// strerror is the same in every language and C library, as the C library
/// names it; the number in decimal where it has no name.
std::string errnoName(int error);

} // namespace quillon::cli
