// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillon {

/// A file name as the engine sees it: one element per Unicode code point.
/// Bytes of a disk name that are not valid UTF-8 are carried as U+DC80..U+DCFF
/// (see Utf8.h), so every position, length and limit counts characters.
using Name = std::u32string;
using NameView = std::u32string_view;

/// The extension of a name: from its last "." to the end, the dot included;
/// empty when the name has no dot.
inline NameView extensionOf(NameView name) {
    const auto dot = name.rfind(U'.');
    return dot == NameView::npos ? NameView{} : name.substr(dot);
}

/// The name without its extension.
inline NameView namePartOf(NameView name) {
    return name.substr(0, name.size() - extensionOf(name).size());
}

} // namespace quillon
