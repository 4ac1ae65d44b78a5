// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fields/Field.h"

#include <cstdint>

namespace quillon {

/// A set of fields, one bit each.
class FieldSet final {
public:
    constexpr FieldSet() = default;
    constexpr FieldSet(Field f)
        : m_bits(bit(f)) {}

    /// Every field there is.
    static constexpr FieldSet all() { return fromBits((1U << kFieldCount) - 1); }

    static constexpr FieldSet fromBits(std::uint16_t bits) {
        FieldSet s;
        s.m_bits = bits;
        return s;
    }
    constexpr std::uint16_t bits() const { return m_bits; }
    constexpr bool has(Field f) const { return (m_bits & bit(f)) != 0; }
    constexpr bool empty() const { return m_bits == 0; }
    constexpr bool contains(FieldSet other) const {
        return (m_bits & other.m_bits) == other.m_bits;
    }
    constexpr bool intersects(FieldSet other) const { return (m_bits & other.m_bits) != 0; }
    constexpr void add(FieldSet other) { m_bits |= other.m_bits; }
    constexpr FieldSet operator|(FieldSet other) const { return fromBits(m_bits | other.m_bits); }
    constexpr FieldSet operator&(FieldSet other) const { return fromBits(m_bits & other.m_bits); }
    constexpr FieldSet without(FieldSet other) const {
        return fromBits(static_cast<std::uint16_t>(m_bits & ~other.m_bits));
    }
    constexpr bool operator==(const FieldSet&) const = default;

private:
    static constexpr std::uint16_t bit(Field f) {
        return static_cast<std::uint16_t>(1U << fieldIndex(f));
    }
    std::uint16_t m_bits = 0;
};

} // namespace quillon
