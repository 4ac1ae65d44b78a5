// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/ReaderProcess.h"

#include <memory>
#include <mutex>
#include <vector>

namespace quillon::metadata {

/// The reader processes of a program, kept between batches so that a
/// press does not start processes anew. Each reading thread borrows one
/// for a batch. Safe to use from several threads.
class ReaderPool final {
public:
    explicit ReaderPool(ReaderSettings settings);

    /// A reader of its own for the calling thread, until it gives it back.
    std::unique_ptr<ReaderProcess> borrow();
    void giveBack(std::unique_ptr<ReaderProcess> reader);

private:
    ReaderSettings m_settings;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<ReaderProcess>> m_idle;
};

} // namespace quillon::metadata
