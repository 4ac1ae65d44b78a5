// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

namespace quillon {

/// What the command line asks of the program before any window exists.
enum class CommandLineRequest { Run, Help, Version, ResetSettings };

/// The options Quillon answers without a window. They are read straight from
/// argv, before Qt (which would need a display) sees the arguments.
class CommandLine final {
    Q_DECLARE_TR_FUNCTIONS(quillon::CommandLine)
public:
    /// "--help" or "-h" anywhere before "--" asks for help, "--version",
    /// "-v" or "-V" for the version, "--reset-settings" to forget the
    /// window's place; the first of them wins, also within a bundle such as
    /// "-hV".
    static CommandLineRequest request(int argc, char* argv[]);
    /// The paths to open as raw bytes (a folder, or a file manager's
    /// selection), none when none was given; read after QApplication has
    /// taken its own options out of argv. An option before "--" is reported
    /// in unknownOption.
    static QList<QByteArray> paths(int argc, char* argv[], QByteArray& unknownOption);
    /// Where no display can be reached (no DISPLAY, WAYLAND_DISPLAY,
    /// QT_QPA_PLATFORM or -platform), the first argument before "--" that is
    /// an option, which Qt would abort on instead of naming; else empty.
    static QByteArray optionWithoutDisplay(int argc, char* argv[]);

    static QString helpText();
    static QString versionText();
    static QString unknownOptionText(const QByteArray& option);
};

} // namespace quillon
