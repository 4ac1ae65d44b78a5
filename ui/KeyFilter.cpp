#include "ui/KeyFilter.h"

#include <QKeyEvent>

namespace quillon {

KeyFilter::KeyFilter(QString rejected, QObject* parent)
    : QObject(parent)
    , m_rejected(std::move(rejected)) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && !(key->modifiers() & Qt::ControlModifier)) {
            for (QChar c : text) {
                if (m_rejected.contains(c))
                    return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillon
