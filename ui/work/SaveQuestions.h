// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/save/SaveCallbacks.h"

#include <memory>

class QWidget;

namespace quillon {

class CommandRunner;
class UserQuestions;
class WorkControl;

/// The questions a save or an undo of a save asks while it works on the
/// worker thread: each is put to the user on the window's thread, and the
/// work waits for the answer. Renaming progress and the user's cancel go
/// through the command's WorkControl.
class SaveQuestions final {
public:
    SaveQuestions(CommandRunner& runner, QWidget* window, std::shared_ptr<UserQuestions> ask);

    /// Callbacks for one save; valid while this object and control live.
    SaveCallbacks callbacks(WorkControl& control) const;

private:
    CommandRunner& m_runner;
    QWidget* m_window;
    std::shared_ptr<UserQuestions> m_ask;
};

} // namespace quillon
