// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

/// A JSON document read strictly (RFC 8259: no comments, no trailing
/// commas, no duplicate keys in an object, at most kMaxDepth levels), for
/// small files such as presets. Strings are decoded to names: the escapes
/// "\udc80".."\udcff" that stand alone give the escaped bytes back, as
/// names carry them.
class JsonValue final {
public:
    enum class Kind : std::uint8_t { Null, Boolean, Number, String, Array, Object };
    static constexpr int kMaxDepth = 32;

    /// The document, or nothing with error saying what is wrong and where.
    static std::unique_ptr<JsonValue> parse(std::string_view text, std::string& error);

    Kind kind() const { return m_kind; }
    bool boolean() const { return m_boolean; }
    /// The number as it was written.
    const std::string& numberText() const { return m_number; }
    const Name& string() const { return m_string; }
    const std::vector<JsonValue>& items() const { return m_items; }
    /// The object's members by key (keys decoded and encoded back to bytes).
    const std::map<std::string, JsonValue>& members() const { return m_members; }
    const JsonValue* member(const std::string& key) const;

private:
    friend class JsonParser;
    Kind m_kind = Kind::Null;
    bool m_boolean = false;
    std::string m_number;
    Name m_string;
    std::vector<JsonValue> m_items;
    std::map<std::string, JsonValue> m_members;
};

/// Appends name as a JSON string literal: escaped bytes as "\udcXX", '"',
/// '\' and control characters escaped, everything else as UTF-8.
void appendJsonString(std::string& out, NameView name);

} // namespace quillon
