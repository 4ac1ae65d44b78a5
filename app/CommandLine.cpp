// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "quillon/Version.h"

#include <cstdlib>
#include <cstring>
#include <optional>

namespace quillon {

namespace {

bool is(const char* argument, const char* option) {
    return std::strcmp(argument, option) == 0;
}

// "-h", "-v", "-V" and bundles of them ("-hV"): the first letter decides.
std::optional<CommandLineRequest> shortRequest(const char* argument) {
    if (argument[0] != '-' || argument[1] == '\0' || argument[1] == '-')
        return std::nullopt;
    if (std::strspn(argument + 1, "hvV") != std::strlen(argument + 1))
        return std::nullopt;
    return argument[1] == 'h' ? CommandLineRequest::Help : CommandLineRequest::Version;
}

bool isOption(const char* argument) {
    return argument[0] == '-' && argument[1] != '\0';
}

bool displayReachable(int argc, char* argv[]) {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0')
            return true;
    }
    for (int i = 1; i < argc && !is(argv[i], "--"); ++i) {
        if (!isOption(argv[i]))
            continue;
        // Qt takes "-platform" and "--platform", with the value apart or after "=".
        const char* name = argv[i] + std::strspn(argv[i], "-");
        if (std::strncmp(name, "platform", 8) == 0 && (name[8] == '\0' || name[8] == '='))
            return true;
    }
    return false;
}

} // namespace

QByteArray CommandLine::optionWithoutDisplay(int argc, char* argv[]) {
    if (displayReachable(argc, argv))
        return {};
    for (int i = 1; i < argc && !is(argv[i], "--"); ++i) {
        if (isOption(argv[i]))
            return QByteArray(argv[i]);
    }
    return {};
}

CommandLineRequest CommandLine::request(int argc, char* argv[]) {
    for (int i = 1; i < argc && !is(argv[i], "--"); ++i) {
        if (is(argv[i], "--help"))
            return CommandLineRequest::Help;
        if (is(argv[i], "--version"))
            return CommandLineRequest::Version;
        if (is(argv[i], "--reset-settings"))
            return CommandLineRequest::ResetSettings;
        if (const auto request = shortRequest(argv[i]))
            return *request;
    }
    return CommandLineRequest::Run;
}

QList<QByteArray> CommandLine::paths(int argc, char* argv[], QByteArray& unknownOption) {
    unknownOption.clear();
    QList<QByteArray> paths;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        if (!optionsEnded && is(argv[i], "--")) {
            optionsEnded = true;
        } else if (!optionsEnded && isOption(argv[i])) {
            unknownOption = argv[i];
            return {};
        } else {
            paths.append(QByteArray(argv[i]));
        }
    }
    return paths;
}

QString CommandLine::helpText() {
    return tr("Usage: quillon [OPTION] [FOLDER | FILE...]\n"
              "Renames the files of a folder in batches, with a preview of the new names.\n"
              "\n"
              "Quillon opens FOLDER. Files of one folder open that folder with the mask set\n"
              "to their names, so only they are listed; the first path decides the folder.\n"
              "Without a path it opens your desktop folder, or your home folder.\n"
              "\n"
              "  -h, --help         show this help and exit\n"
              "  -v, -V, --version  show the version and exit\n"
              "  --reset-settings   forget the window's size, place, folder and view, and exit\n"
              "  --                 end of options: what follows are paths\n"
              "\n"
              "Qt's own options (-style, -platform, -reverse and others) are accepted too.\n");
}

QString CommandLine::versionText() {
    // The program's name as it is typed, as the command line tool prints its own.
    return QStringLiteral("quillon %1\n").arg(QString::fromLatin1(kApplicationVersion));
}

QString CommandLine::unknownOptionText(const QByteArray& option) {
    return tr("quillon: unknown option: %1\nTry \"quillon --help\".\n")
        .arg(QString::fromLocal8Bit(option));
}

} // namespace quillon
