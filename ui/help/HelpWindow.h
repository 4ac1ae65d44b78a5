// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

class QWindow;

namespace quillon {

class MainWindowAccess;

/// Explains the pattern language of the "Replace:" and "With:" boxes; a click
/// on an example writes its pair into them, and nothing else.
class HelpWindow final : public QDialog {
    Q_OBJECT
public:
    /// access: what the examples write into mainWindow.
    HelpWindow(QWidget* mainWindow, MainWindowAccess& access);

    /// Opens the one help window of mainWindow, held in instance: raises a
    /// live one, else creates it centred on the screen.
    static HelpWindow* open(QWidget* mainWindow, MainWindowAccess& access,
                            QPointer<HelpWindow>& instance);

public slots:
    void disableOpeners();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildReformatSection(QWidget* parent);
    QWidget* buildNumberingSection(QWidget* parent);
    void useExample(const char* from, const char* to);
    void setOpenersEnabled(bool enabled);

    QPointer<QWidget> m_mainWindow;
    MainWindowAccess* m_access;
};

} // namespace quillon
