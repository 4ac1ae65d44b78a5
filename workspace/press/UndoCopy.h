// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillon {

/// The preview names from before the last press of "OK", kept only for the
/// entries changed since: a press that touches a few names of a million
/// keeps a few names.
class UndoCopy final {
public:
    /// Starts an empty copy of a list of count entries whose names take
    /// bytes bytes: room for all of them is set aside, which costs memory
    /// only where a name is kept.
    void start(std::size_t count, std::size_t bytes);
    void clear();
    /// Entries of the list the copy was started for.
    std::size_t count() const { return m_where.size(); }
    /// Keeps before as entry i's old name, unless it has one already.
    void remember(std::size_t i, std::string_view before);
    /// True when entry i changed since the copy started.
    bool holds(std::size_t i) const { return m_where[i] != kNone; }
    /// Entry i's old name; only for entries that hold one.
    std::string_view operator[](std::size_t i) const { return m_names[m_where[i]]; }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;

    NameList m_names;
    /// Per entry: its place in m_names, or kNone.
    std::vector<std::uint32_t> m_where;
};

} // namespace quillon
