// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace quillon {

/// A run of characters of a new name that differ from the old name, in
/// UTF-16 positions of the new name.
struct ChangedRun {
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const ChangedRun&, const ChangedRun&) = default;
};

/// The runs of newName that differ from oldName: what both share at the
/// start and at the end is unchanged; of what lies between, where the
/// names have the same length, only the characters that differ (a change
/// of letter case), else all of it. Linear in the names' length, so painting
/// a screenful of rows stays cheap.
QList<ChangedRun> changedRuns(const QString& oldName, const QString& newName);

} // namespace quillon
