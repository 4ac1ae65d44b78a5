// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/Accessibility.h"

#include "ui/widgets/ClickLabel.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace quillon {

namespace {

const char* const kRoleProperty = "quillonAccessibleRole";
const char* const kFocusProperty = "quillonFocusWhenShown";

class ClickLabelAccessible final : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            label()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ClickLabel* label() const { return static_cast<ClickLabel*>(widget()); }
};

// On Linux Qt reads a drop-down's current item as its name and leaves what
// it is for to a label beside it; here a box is read by its own name (or
// its label's), its item as its value. Only a box without either is named
// by its item, as Qt would.
class ComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return box()->currentText();
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            return box()->currentText();
        return text;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view() && box()->view()->isVisible();
        state.editable = box()->isEditable();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != showMenuAction())
            QAccessibleWidget::doAction(action);
        else if (box()->view() && box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (auto* label = qobject_cast<ClickLabel*>(widget);
        label && className == QLatin1String(ClickLabel::staticMetaObject.className()))
        return new ClickLabelAccessible(label);
    // Every box, also one asked for before it is named: the answer is kept.
    if (auto* box = qobject_cast<QComboBox*>(widget);
        box && className == QLatin1String("QComboBox"))
        return new ComboBoxAccessible(box);
    const QVariant role = widget->property(kRoleProperty);
    if (role.isValid() && className == QLatin1String(widget->metaObject()->className()))
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    return nullptr;
}

// Watches every widget under the root for being shown or hidden, and
// sets the focus policies of the part that changed.
class HiddenControls final : public QObject {
public:
    explicit HiddenControls(QWidget* root)
        : QObject(root)
        , m_root(root) {
        for (QWidget* widget : root->findChildren<QWidget*>())
            widget->installEventFilter(this);
        update(root);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            update(static_cast<QWidget*>(watched));
        return QObject::eventFilter(watched, event);
    }

private:
    void update(QWidget* part) {
        QList<QWidget*> widgets = part->findChildren<QWidget*>();
        widgets.prepend(part);
        for (QWidget* widget : widgets) {
            QVariant policy = widget->property(kFocusProperty);
            if (!policy.isValid()) {
                if (widget->focusPolicy() == Qt::NoFocus)
                    continue;
                policy = static_cast<int>(widget->focusPolicy());
                widget->setProperty(kFocusProperty, policy);
            }
            widget->setFocusPolicy(widget->isVisibleTo(m_root)
                                       ? static_cast<Qt::FocusPolicy>(policy.toInt())
                                       : Qt::NoFocus);
        }
    }

    QWidget* m_root;
};

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(&interfaceFor);
        return true;
    }();
    (void)installed;
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
    installAccessibleInterfaces();
    widget->setProperty(kRoleProperty, static_cast<int>(role));
}

void keepHiddenControlsUnfocusable(QWidget* root) {
    new HiddenControls(root);
}

} // namespace quillon
