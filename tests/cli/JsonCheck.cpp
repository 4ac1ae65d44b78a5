// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonCheck.h"

#include <cctype>
#include <cstring>

namespace quillon::test {

namespace {

// A recursive descent reader that only says yes or no.
class JsonReader final {
public:
    JsonReader(std::string_view text, std::vector<std::string>* keys)
        : m_text(text)
        , m_keys(keys) {}

    bool whole() {
        blanks();
        if (!value())
            return false;
        blanks();
        return m_at == m_text.size();
    }

private:
    bool value() {
        if (m_at >= m_text.size())
            return false;
        switch (m_text[m_at]) {
        case '{':
            return object();
        case '[':
            return array();
        case '"':
            return string(nullptr);
        default:
            return literal("true") || literal("false") || literal("null") || number();
        }
    }

    bool object() {
        ++m_at;
        blanks();
        if (take('}'))
            return true;
        do {
            blanks();
            std::string key;
            if (!string(&key))
                return false;
            if (m_keys)
                m_keys->push_back(key);
            blanks();
            if (!take(':'))
                return false;
            blanks();
            if (!value())
                return false;
            blanks();
        } while (take(','));
        return take('}');
    }

    bool array() {
        ++m_at;
        blanks();
        if (take(']'))
            return true;
        do {
            blanks();
            if (!value())
                return false;
            blanks();
        } while (take(','));
        return take(']');
    }

    // Raw control characters are not allowed inside a string; escapes are
    // checked for their form.
    bool string(std::string* out) {
        if (!take('"'))
            return false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c == '\\' && !escape())
                return false;
            if (out)
                out->push_back(c);
        }
        return false;
    }

    bool escape() {
        if (m_at >= m_text.size())
            return false;
        const char c = m_text[m_at++];
        if (std::strchr("\"\\/bfnrt", c))
            return true;
        if (c != 'u' || m_at + 4 > m_text.size())
            return false;
        for (int i = 0; i < 4; ++i)
            if (!std::isxdigit(static_cast<unsigned char>(m_text[m_at++])))
                return false;
        return true;
    }

    bool number() {
        const std::size_t start = m_at;
        take('-');
        while (m_at < m_text.size() && std::strchr("0123456789.eE+-", m_text[m_at]))
            ++m_at;
        return m_at > start && std::isdigit(static_cast<unsigned char>(m_text[m_at - 1]));
    }

    bool literal(std::string_view word) {
        if (m_text.substr(m_at, word.size()) != word)
            return false;
        m_at += word.size();
        return true;
    }

    bool take(char c) {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    void blanks() {
        while (m_at < m_text.size() && std::strchr(" \t\r\n", m_text[m_at]) && m_text[m_at])
            ++m_at;
    }

    std::string_view m_text;
    std::vector<std::string>* m_keys;
    std::size_t m_at = 0;
};

} // namespace

bool isJson(std::string_view text, std::vector<std::string>* keys) {
    return JsonReader(text, keys).whole();
}

} // namespace quillon::test
