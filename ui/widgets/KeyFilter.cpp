// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>

namespace quillon {

namespace {

constexpr QChar kBackspace(0x08);

// Enter, Escape and Tab move focus or run commands; they are not typing.
bool isCommandKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

qsizetype codePoints(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

} // namespace

KeyFilter::KeyFilter(KeyRule rule, QObject* parent)
    : QObject(parent)
    , m_rule(std::move(rule)) {}

bool KeyFilter::passes(QObject* watched, const QString& text) const {
    for (QChar c : text) {
        if (m_rule.rejected.contains(c))
            return false;
        if (!m_rule.acceptedOnly.isEmpty() && !m_rule.acceptedOnly.contains(c))
            return false;
    }
    if (m_rule.maxLength) {
        if (const auto* edit = qobject_cast<const QLineEdit*>(watched)) {
            const QString before = edit->text();
            const qsizetype kept = codePoints(before) - codePoints(edit->selectedText());
            if (kept >= m_rule.maxLength(before))
                return false;
        }
    }
    return true;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && m_rule.escape)
        return m_rule.escape();
    const QString text = key->text();
    if (text.isEmpty() || isCommandKey(key->key()) ||
        (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    // Backspace, Delete and other control characters edit rather than type.
    const bool control = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
    if (control) {
        if (text.contains(kBackspace) && m_rule.accepted)
            m_rule.accepted();
        return false;
    }
    if (!passes(watched, text))
        return true;
    if (m_rule.accepted)
        m_rule.accepted();
    return false;
}

QString notInFileNames() {
    return QStringLiteral("/");
}

void installKeyRule(QObject* box, KeyRule rule) {
    box->installEventFilter(new KeyFilter(std::move(rule), box));
}

} // namespace quillon
