// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/ChangeMarks.h"

#include <algorithm>

namespace quillon {

namespace {

// A surrogate pair is one character: a run never splits it.
qsizetype backToCharacterStart(const QString& text, qsizetype i) {
    return i > 0 && i < text.size() && text.at(i).isLowSurrogate() ? i - 1 : i;
}

qsizetype forwardToCharacterEnd(const QString& text, qsizetype i) {
    return i > 0 && i < text.size() && text.at(i).isLowSurrogate() ? i + 1 : i;
}

void addDifferingPositions(const QString& oldName, const QString& newName, qsizetype from,
                           qsizetype to, QList<ChangedRun>& runs) {
    for (qsizetype i = from; i < to; ++i) {
        if (oldName.at(i) == newName.at(i))
            continue;
        const qsizetype start = backToCharacterStart(newName, i);
        qsizetype end = forwardToCharacterEnd(newName, i + 1);
        if (!runs.isEmpty() && runs.last().start + runs.last().length >= start) {
            runs.last().length = end - runs.last().start;
        } else {
            runs.append({start, end - start});
        }
        i = end - 1;
    }
}

} // namespace

QList<ChangedRun> changedRuns(const QString& oldName, const QString& newName) {
    const qsizetype shortest = std::min(oldName.size(), newName.size());
    qsizetype prefix = 0;
    while (prefix < shortest && oldName.at(prefix) == newName.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix &&
           oldName.at(oldName.size() - 1 - suffix) == newName.at(newName.size() - 1 - suffix))
        ++suffix;
    prefix = backToCharacterStart(newName, prefix);
    const qsizetype end = forwardToCharacterEnd(newName, newName.size() - suffix);
    QList<ChangedRun> runs;
    if (end <= prefix)
        return runs;
    if (oldName.size() == newName.size())
        addDifferingPositions(oldName, newName, prefix, end, runs);
    else
        runs.append({prefix, end - prefix});
    return runs;
}

} // namespace quillon
