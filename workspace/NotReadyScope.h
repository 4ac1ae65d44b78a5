// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon {

/// Keeps PreviewReady false for the whole of a rebuild, also on early return.
class NotReadyScope final {
public:
    explicit NotReadyScope(bool& ready)
        : m_ready(ready) {
        m_ready = false;
    }
    ~NotReadyScope() { m_ready = true; }
    NotReadyScope(const NotReadyScope&) = delete;
    NotReadyScope& operator=(const NotReadyScope&) = delete;

private:
    bool& m_ready;
};

} // namespace quillon
