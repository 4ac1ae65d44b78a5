// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskHelpers.h"
#include "ForwardingFileSystem.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

namespace quillon::test {

using Moves = std::vector<std::pair<std::string, std::string>>;

// Files holding their own names; listed ones are *.txt, others stay outside.
inline void fill(const TempFolder& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        writeFile(dir.file(name), name);
}

inline SaveCallbacks yesToAll(std::vector<std::size_t>* failed = nullptr) {
    SaveCallbacks ask;
    ask.confirm = [](bool&) {
        return true;
    };
    ask.renameFailed = [failed](const RenameFailure& f) {
        if (failed)
            failed->push_back(f.index);
        return RenameFailureChoice::Skip;
    };
    return ask;
}

// Loads dir with the mask and gives each listed name in moves its new name.
inline SaveResult saveMoves(FileSystem& fs, const std::string& dir, const Moves& moves,
                            std::vector<std::size_t>* failed = nullptr) {
    Workspace ws(fs);
    ws.setCaseMode(CaseMode::None, {});
    EXPECT_TRUE(ws.load(dir, U"*.txt").ok());
    for (std::size_t i = 0; i < ws.folderList().names.size(); ++i) {
        const std::string name(ws.folderList().names[i]);
        for (const auto& [from, to] : moves) {
            if (from == name)
                ws.renameEntry(i, decodeName(to), false);
        }
    }
    return ws.save(U"*.txt", yesToAll(failed));
}

// Fails, or ends the process, at call number `at` of the calls that change
// the disk (each rename, the record's writes).
class FaultDisk final : public ForwardingFileSystem {
public:
    FaultDisk(FileSystem& disk, int at, bool crash)
        : ForwardingFileSystem(disk)
        , m_at(at)
        , m_crash(crash) {}
    int renameDirect(const std::string& f, std::string_view from, std::string_view to) override {
        if (int err = fault())
            return err;
        return m_disk.renameDirect(f, from, to);
    }
    int renameToOwnName(const std::string& f, std::string_view from, std::string_view to) override {
        if (int err = fault())
            return err;
        return m_disk.renameToOwnName(f, from, to);
    }
    int writeFileAtomically(const std::string& f, std::string_view n, std::string_view c,
                            bool replace, FileAccess access = FileAccess::Shared) override {
        if (int err = fault())
            return err;
        return m_disk.writeFileAtomically(f, n, c, replace, access);
    }
    int calls() const { return m_calls; }

private:
    int fault() {
        if (m_calls++ != m_at)
            return 0;
        if (m_crash)
            ::_exit(0);
        return EIO;
    }
    int m_at;
    bool m_crash;
    int m_calls = 0;
};

} // namespace quillon::test
