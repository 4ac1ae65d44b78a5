#pragma once

#include <QString>

class QWidget;

// The assistants reach the main window only through its controls' component
// names, and write them the way a user would change them so that the main
// window's own change handling runs. A control the main window lacks is
// skipped: reading it gives an unchecked box.
namespace quillon::controls {

/// The whole text, never cut to the box's typing limit.
void setText(QWidget* window, const char* name, const QString& text);
void setChecked(QWidget* window, const char* name, bool checked);
bool isChecked(const QWidget* window, const char* name);
/// Works for menu entries (actions) and for widgets.
void setEnabled(QWidget* window, const char* name, bool enabled);

} // namespace quillon::controls
