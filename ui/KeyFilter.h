#pragma once

#include <QObject>
#include <QString>

namespace quillon {

/// Drops typed characters that a box does not take. Only keys are filtered:
/// pasted text reaches the box as it is, and the program's own writes too.
class KeyFilter final : public QObject {
    Q_OBJECT
public:
    /// rejected: the characters the box drops.
    KeyFilter(QString rejected, QObject* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_rejected;
};

} // namespace quillon
