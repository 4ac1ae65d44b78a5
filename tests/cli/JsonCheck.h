// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::test {

/// Whether text is one well-formed JSON value (RFC 8259, surrounding blanks
/// allowed), so that any JSON reader takes the program's output. keys gets
/// every object key met, in order, at any depth.
bool isJson(std::string_view text, std::vector<std::string>* keys = nullptr);

} // namespace quillon::test
