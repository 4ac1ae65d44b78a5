// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillon {

/// Names, each with a number, that come and go: an open-addressing table of
/// views (the caller keeps the bytes alive) with no allocation per name, for
/// a folder's names kept in step with renames. Empty names are not held.
class NameMap final {
public:
    /// Room for count names without growing.
    void reserve(std::size_t count);
    std::size_t size() const { return m_size; }
    bool contains(std::string_view name) const;
    /// The number of name, or nullptr when it is not held.
    const std::uint64_t* find(std::string_view name) const;
    /// Adds name, or gives it the new number when it is held already.
    void set(std::string_view name, std::uint64_t value);
    /// Takes name out; returns its number, 0 when it was not held.
    std::uint64_t erase(std::string_view name);

private:
    struct Slot {
        const char* data = nullptr;
        std::uint32_t size = 0;
        /// The lower half of the name's hash: where it belongs, and a quick
        /// test before the bytes are compared.
        std::uint32_t hash = 0;
        std::uint64_t value = 0;
    };

    /// The slot holding name, or the empty slot where it would go.
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
    void grow();

    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
};

} // namespace quillon
