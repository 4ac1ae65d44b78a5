// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace quillon {

/// What a box does with typed characters. Only keys are filtered: pasted
/// text and the program's own writes reach the box whole.
struct KeyRule {
    /// Characters the box drops.
    QString rejected;
    /// When not empty, only these characters pass (editing keys always do).
    QString acceptedOnly;
    /// Typing limit in characters, from the text before the key; null: none.
    std::function<int(const QString& before)> maxLength;
    /// Runs before an accepted character reaches the box.
    std::function<void()> accepted;
    /// Runs on Escape; true when it was handled.
    std::function<bool()> escape;
};

/// Applies a KeyRule to the box it is installed on.
class KeyFilter final : public QObject {
    Q_OBJECT
public:
    KeyFilter(KeyRule rule, QObject* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool passes(QObject* watched, const QString& text) const;

    KeyRule m_rule;
};

/// What no name on a Linux file system can hold and a key can type: the
/// slash (the NUL byte and other control characters never reach a box as
/// typing).
QString notInFileNames();

/// Installs a KeyFilter with rule on box (owned by the box).
void installKeyRule(QObject* box, KeyRule rule);

} // namespace quillon
