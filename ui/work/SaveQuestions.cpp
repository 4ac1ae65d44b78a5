// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/work/SaveQuestions.h"

#include "ui/dialogs/DiskMessages.h"
#include "ui/dialogs/UserQuestions.h"
#include "ui/work/CommandRunner.h"
#include "ui/work/WorkControl.h"

namespace quillon {

SaveQuestions::SaveQuestions(CommandRunner& runner, QWidget* window,
                             std::shared_ptr<UserQuestions> ask)
    : m_runner(runner)
    , m_window(window)
    , m_ask(std::move(ask)) {}

SaveCallbacks SaveQuestions::callbacks(WorkControl& control) const {
    SaveCallbacks callbacks;
    callbacks.tell = [this](const SaveNotice& notice) {
        m_runner.callOnWindowThread([&] {
            m_ask->tell(m_window, messageKindOf(notice.kind), DiskMessages::saveNotice(notice));
        });
    };
    // Unanswered (the window closed meanwhile): nothing is renamed.
    callbacks.confirm = [this](bool& createUndoFile) {
        bool yes = false;
        m_runner.callOnWindowThread([&] { yes = m_ask->confirmSave(m_window, createUndoFile); });
        return yes;
    };
    callbacks.confirmUnknownRecord = [this] {
        bool yes = false;
        m_runner.callOnWindowThread([&] { yes = m_ask->confirmUnknownRecord(m_window); });
        return yes;
    };
    callbacks.renameFailed = [this](const RenameFailure& failure) {
        RenameFailureChoice choice = RenameFailureChoice::Abort;
        m_runner.callOnWindowThread(
            [&] { choice = m_ask->renameFailed(m_window, DiskMessages::renameFailure(failure)); });
        return choice;
    };
    callbacks.renaming = [&control](bool renaming) {
        if (renaming)
            control.showPercent(0);
    };
    callbacks.progress = [&control](int percent) {
        control.showPercent(percent);
    };
    callbacks.shouldStop = [&control] {
        return control.stopRequested();
    };
    return callbacks;
}

} // namespace quillon
