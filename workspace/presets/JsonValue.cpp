// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/presets/JsonValue.h"

#include "engine/Utf8.h"

#include <cstdio>

namespace quillon {

/// A recursive-descent reader over the whole text; the first fault stops it.
class JsonParser final {
public:
    JsonParser(std::string_view text, std::string& error)
        : m_text(text)
        , m_error(error) {}

    bool document(JsonValue& out) {
        skipBlanks();
        if (!value(out, 0))
            return false;
        skipBlanks();
        return m_at == m_text.size() || fail("text after the end of the document");
    }

private:
    bool fail(const char* what) {
        if (m_error.empty())
            m_error = std::string(what) + " at byte " + std::to_string(m_at + 1);
        return false;
    }

    void skipBlanks() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    bool literal(std::string_view word) {
        if (m_text.substr(m_at, word.size()) != word)
            return fail("an unknown word");
        m_at += word.size();
        return true;
    }

    bool value(JsonValue& out, int depth) {
        if (depth >= JsonValue::kMaxDepth)
            return fail("too deeply nested");
        if (m_at >= m_text.size())
            return fail("a value missing");
        switch (m_text[m_at]) {
        case '{':
            out.m_kind = JsonValue::Kind::Object;
            return object(out, depth);
        case '[':
            out.m_kind = JsonValue::Kind::Array;
            return array(out, depth);
        case '"':
            out.m_kind = JsonValue::Kind::String;
            return string(out.m_string);
        case 't':
            out.m_kind = JsonValue::Kind::Boolean;
            out.m_boolean = true;
            return literal("true");
        case 'f':
            out.m_kind = JsonValue::Kind::Boolean;
            return literal("false");
        case 'n':
            return literal("null");
        default:
            out.m_kind = JsonValue::Kind::Number;
            return number(out.m_number);
        }
    }

    bool object(JsonValue& out, int depth) {
        ++m_at;
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == '}') {
            ++m_at;
            return true;
        }
        for (;;) {
            skipBlanks();
            if (m_at >= m_text.size() || m_text[m_at] != '"')
                return fail("a key missing");
            Name key;
            if (!string(key))
                return false;
            skipBlanks();
            if (m_at >= m_text.size() || m_text[m_at] != ':')
                return fail("\":\" missing");
            ++m_at;
            skipBlanks();
            auto [member, fresh] = out.m_members.try_emplace(encodeName(key));
            if (!fresh)
                return fail("a key given twice");
            if (!value(member->second, depth + 1) || !endOfItem('}'))
                return false;
            if (m_text[m_at - 1] == '}')
                return true;
        }
    }

    bool array(JsonValue& out, int depth) {
        ++m_at;
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == ']') {
            ++m_at;
            return true;
        }
        for (;;) {
            skipBlanks();
            out.m_items.emplace_back();
            if (!value(out.m_items.back(), depth + 1) || !endOfItem(']'))
                return false;
            if (m_text[m_at - 1] == ']')
                return true;
        }
    }

    // After an item: a "," (and another item must follow) or the closing mark.
    bool endOfItem(char close) {
        skipBlanks();
        if (m_at < m_text.size() && (m_text[m_at] == ',' || m_text[m_at] == close)) {
            ++m_at;
            return true;
        }
        return fail(close == '}' ? R"("," or "}" missing)" : R"("," or "]" missing)");
    }

    bool digits() {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
            ++m_at;
        return m_at > start;
    }

    bool number(std::string& out) {
        const std::size_t start = m_at;
        if (m_text[m_at] == '-')
            ++m_at;
        if (m_at < m_text.size() && m_text[m_at] == '0')
            ++m_at;
        else if (!digits())
            return fail("not a value");
        if (m_at < m_text.size() && m_text[m_at] == '.') {
            ++m_at;
            if (!digits())
                return fail("a number without digits after \".\"");
        }
        if (m_at < m_text.size() && (m_text[m_at] == 'e' || m_text[m_at] == 'E')) {
            ++m_at;
            if (m_at < m_text.size() && (m_text[m_at] == '+' || m_text[m_at] == '-'))
                ++m_at;
            if (!digits())
                return fail("a number without an exponent");
        }
        out = m_text.substr(start, m_at - start);
        return true;
    }

    bool hex4(char32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i, ++m_at) {
            if (m_at >= m_text.size())
                return fail("a short \\u escape");
            const char c = m_text[m_at];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return fail("a bad \\u escape");
            out = out * 16 + static_cast<char32_t>(digit);
        }
        return true;
    }

    // After "\u": one code point, a surrogate pair joined; of the lone
    // surrogates only the escaped bytes are taken.
    bool unicodeEscape(Name& out) {
        char32_t c = 0;
        if (!hex4(c))
            return false;
        if (c >= 0xD800 && c <= 0xDBFF && m_text.substr(m_at, 2) == "\\u") {
            m_at += 2;
            char32_t low = 0;
            if (!hex4(low))
                return false;
            if (low < 0xDC00 || low > 0xDFFF)
                return fail("a lone surrogate");
            out += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
            return true;
        }
        if (c >= 0xD800 && c <= 0xDFFF && (c < kEscapedByteFirst || c > kEscapedByteLast))
            return fail("a lone surrogate");
        out += c;
        return true;
    }

    bool escape(Name& out) {
        if (m_at >= m_text.size())
            return fail("an unfinished string");
        const char c = m_text[m_at++];
        switch (c) {
        case '"':
            out += U'"';
            return true;
        case '\\':
            out += U'\\';
            return true;
        case '/':
            out += U'/';
            return true;
        case 'b':
            out += U'\b';
            return true;
        case 'f':
            out += U'\f';
            return true;
        case 'n':
            out += U'\n';
            return true;
        case 'r':
            out += U'\r';
            return true;
        case 't':
            out += U'\t';
            return true;
        case 'u':
            return unicodeEscape(out);
        default:
            --m_at;
            return fail("an unknown escape");
        }
    }

    bool string(Name& out) {
        ++m_at;
        std::size_t run = m_at;
        const auto flush = [&] {
            out += decodeName(m_text.substr(run, m_at - run));
        };
        while (m_at < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_at]);
            if (c == '"') {
                flush();
                ++m_at;
                return true;
            }
            if (c < 0x20)
                return fail("a control character in a string");
            if (c == '\\') {
                flush();
                ++m_at;
                if (!escape(out))
                    return false;
                run = m_at;
                continue;
            }
            ++m_at;
        }
        return fail("an unfinished string");
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::string& m_error;
};

std::unique_ptr<JsonValue> JsonValue::parse(std::string_view text, std::string& error) {
    error.clear();
    auto document = std::make_unique<JsonValue>();
    JsonParser parser(text, error);
    if (!parser.document(*document))
        return nullptr;
    return document;
}

const JsonValue* JsonValue::member(const std::string& key) const {
    const auto found = m_members.find(key);
    return found == m_members.end() ? nullptr : &found->second;
}

void appendJsonString(std::string& out, NameView name) {
    out += '"';
    char escaped[8];
    for (const char32_t c : name) {
        if (c == U'"' || c == U'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || (c >= kEscapedByteFirst && c <= kEscapedByteLast)) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            appendEncoded(out, NameView(&c, 1));
        }
    }
    out += '"';
}

} // namespace quillon
