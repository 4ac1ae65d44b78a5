// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class QPushButton;
class QVBoxLayout;

namespace quillon {

class MainWindowAccess;

/// A page of the wizard: owns its controls and their state, and writes what
/// it composes into the main window. Its OK and CL buttons only report the
/// press; the wizard's handlers then call ok() and clear().
class WizardPage : public QWidget {
    Q_OBJECT
public:
    /// The sample name as it stands now (the longest preview name, cut to
    /// the main window's scope).
    using SampleName = std::function<QString()>;

    QPushButton* okButton() const { return m_ok; }

    /// Composes and writes; refuses with a message instead where it cannot.
    virtual void ok() = 0;
    /// Back to the page's defaults, emptying what the page writes.
    virtual void clear() = 0;

signals:
    void okPressed();
    void clearPressed();

protected:
    WizardPage(MainWindowAccess& mainWindow, QWidget* parent);

    MainWindowAccess& mainWindow() const { return *m_mainWindow; }
    /// Ends column with the foot line and, at the right, CL then OK.
    void addFoot(QVBoxLayout* column, const QString& foot, const char* okName,
                 const char* clearName);
    void showMessage(const QString& message);
    /// "Replace:" and "With:" at once.
    void writePatterns(const QString& from, const QString& to);

private:
    // A child of the main window's wizard: the main window outlives it.
    MainWindowAccess* m_mainWindow;
    QPushButton* m_ok = nullptr;
};

} // namespace quillon
