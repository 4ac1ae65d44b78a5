// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quillon::test {

/// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder final {
public:
    TempFolder() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "quillon-test-XXXXXX").string();
        m_path = ::mkdtemp(tmpl.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

} // namespace quillon::test
