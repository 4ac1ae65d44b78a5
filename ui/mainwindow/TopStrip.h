// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;

namespace quillon {

/// The strip above the lists: the menu bar, Reload and Save, the "Preview" check box (the progress
/// bar covers it while files are renamed) and the mask box.
class TopStrip final : public QWidget {
    Q_OBJECT
public:
    /// menus: the main menus, in the order of the menu bar.
    TopStrip(const QList<QMenu*>& menus, QWidget* parent);

    bool previewShown() const;
    /// Through the check box, so that previewToggled() runs on a change.
    void setPreviewShown(bool shown);
    /// Off while both names show side by side, where it chooses nothing.
    void setPreviewBoxEnabled(bool enabled);
    QString mask() const;
    /// Puts the mask back to "*.*".
    void resetMask();
    /// As if typed: the next Enter reloads with it.
    void setMask(const QString& mask);
    /// Sets the mask as the start does: the box changes, the Enter key's
    /// target does not.
    void setStartMask(const QString& mask);
    /// A line for the user beside the mask box; empty hides it.
    /// The bar and its cancel button in the check box's place, at 0.
    void showProgress(bool shown);
    /// 0 to 100; below 0 for work of unknown length.
    void setProgress(int percent);
    /// Reload, Save and the mask's reset; the menu bar, the mask box and
    /// the bar's cancel button stay usable.
    void setCommandsEnabled(bool enabled);
    QWidget* cancelButton() const;

signals:
    void reloadPressed();
    void savePressed();
    void previewToggled();
    /// The mask was typed in or clicked.
    void maskEdited();
    void maskClearPressed();
    void cancelPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildMenuBar(const QList<QMenu*>& menus);
    QWidget* buildPanel();
    QWidget* buildPreviewPlace(QWidget* parent);

    QCheckBox* m_previewBox = nullptr;
    QWidget* m_working = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QList<QWidget*> m_commands;
    QLineEdit* m_mask = nullptr;
};

} // namespace quillon
