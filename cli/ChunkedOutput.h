// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace quillon::cli {

/// Text built piece by piece and written out in chunks: the report of a
/// million names never sits whole in memory.
class ChunkedOutput final {
public:
    explicit ChunkedOutput(std::ostream& out)
        : m_out(out) {}
    ~ChunkedOutput() { flush(); }
    ChunkedOutput(const ChunkedOutput&) = delete;
    ChunkedOutput& operator=(const ChunkedOutput&) = delete;

    /// Where the next pieces go.
    std::string& text() { return m_text; }
    /// Writes the text out once a chunk has gathered.
    void pieceDone() {
        if (m_text.size() >= kChunk)
            flush();
    }
    void flush() {
        m_out << m_text;
        m_text.clear();
    }

private:
    static constexpr std::size_t kChunk = std::size_t{64} * 1024;

    std::ostream& m_out;
    std::string m_text;
};

} // namespace quillon::cli
