// zenity and kdialog as dialog providers.
#include "platform/window/command_dialog_provider.h"

#include "platform/core/message_queue.h"
#include "platform/text/utf.h"

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace plat {

namespace {

std::string StartPath(const FileRequest& request) {
    std::string folder = Utf16ToUtf8(request.initialFolder);
    const std::string name = Utf16ToUtf8(request.initialName);
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + name;
}

std::string JoinPatterns(const FileFilter& filter) {
    std::string out;
    for (const std::u16string& p : filter.patterns)
        out += (out.empty() ? "" : " ") + Utf16ToUtf8(p);
    return out;
}

std::string HexColor(COLORREF c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return text;
}

void PumpWaitingMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        PumpMessage(msg);
}

// Runs the helper and returns its standard output when it ends with status 0. The UI
// thread's messages are handled while it runs, so the program keeps painting.
std::optional<std::string> RunHelper(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return std::nullopt;
    }
    std::string output;
    for (;;) {
        pollfd p{pipeFds[0], POLLIN, 0};
        const int ready = poll(&p, 1, 20);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0) {
            char buffer[4096];
            const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            output.append(buffer, static_cast<size_t>(n));
        }
        PumpWaitingMessages();
    }
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    return output;
}

bool OnPath(const char* name) {
    const char* path = std::getenv("PATH");
    if (!path)
        return false;
    std::string_view rest(path);
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

} // namespace

std::vector<std::string> CommandDialogProvider::ZenityFileArguments(const FileRequest& request) {
    std::vector<std::string> args{"zenity", "--file-selection"};
    if (request.save) {
        args.emplace_back("--save");
        if (request.overwritePrompt)
            args.emplace_back("--confirm-overwrite");
    }
    if (!request.title.empty())
        args.push_back("--title=" + Utf16ToUtf8(request.title));
    if (const std::string start = StartPath(request); !start.empty())
        args.push_back("--filename=" + start);
    for (const FileFilter& f : request.filters)
        args.push_back("--file-filter=" + Utf16ToUtf8(f.name) + " | " + JoinPatterns(f));
    return args;
}

std::vector<std::string> CommandDialogProvider::KdialogFileArguments(const FileRequest& request) {
    std::vector<std::string> args{"kdialog", request.save ? "--getsavefilename" : "--getopenfilename"};
    const std::string start = StartPath(request);
    args.push_back(start.empty() ? "." : start);
    std::string filters;
    for (const FileFilter& f : request.filters)
        filters += (filters.empty() ? "" : "\n") + JoinPatterns(f) + "|" + Utf16ToUtf8(f.name);
    if (!filters.empty())
        args.push_back(filters);
    if (!request.title.empty()) {
        args.emplace_back("--title");
        args.push_back(Utf16ToUtf8(request.title));
    }
    return args;
}

std::vector<std::string> CommandDialogProvider::ZenityColorArguments(const ColorRequest& request) {
    std::vector<std::string> args{"zenity", "--color-selection", "--color=" + HexColor(request.initial)};
    if (!request.title.empty())
        args.push_back("--title=" + Utf16ToUtf8(request.title));
    return args;
}

std::vector<std::string> CommandDialogProvider::KdialogColorArguments(const ColorRequest& request) {
    std::vector<std::string> args{"kdialog", "--getcolor", "--default", HexColor(request.initial)};
    if (!request.title.empty()) {
        args.emplace_back("--title");
        args.push_back(Utf16ToUtf8(request.title));
    }
    return args;
}

std::optional<COLORREF> CommandDialogProvider::ParseColorAnswer(std::string_view text) {
    if (text.size() == 7 && text[0] == '#') {
        unsigned value = 0;
        for (char c : text.substr(1)) {
            const int digit =
                std::isxdigit(static_cast<unsigned char>(c))
                    ? (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10))
                    : -1;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        return RGB(std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value));
    }
    const bool alpha = text.starts_with("rgba(");
    if (!alpha && !text.starts_with("rgb("))
        return std::nullopt;
    if (text.empty() || text.back() != ')')
        return std::nullopt;
    text = text.substr(alpha ? 5 : 4);
    text.remove_suffix(1);
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        size_t used = 0;
        int value = 0;
        while (used < text.size() && used < 4 && std::isdigit(static_cast<unsigned char>(text[used])))
            value = value * 10 + (text[used++] - '0');
        if (used == 0 || value > 255)
            return std::nullopt;
        parts[i] = value;
        text.remove_prefix(used);
        const bool last = i == 2;
        if (!last || alpha) {
            if (text.empty() || text.front() != ',')
                return std::nullopt;
            text.remove_prefix(1);
        }
    }
    if (!alpha && !text.empty())
        return std::nullopt;
    return RGB(std::uint8_t(parts[0]), std::uint8_t(parts[1]), std::uint8_t(parts[2]));
}

std::optional<CommandDialogProvider::Tool> CommandDialogProvider::FindTool() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const bool kde = desktop && std::string_view(desktop).find("KDE") != std::string_view::npos;
    if (kde && OnPath("kdialog"))
        return Tool::Kdialog;
    if (OnPath("zenity"))
        return Tool::Zenity;
    if (OnPath("kdialog"))
        return Tool::Kdialog;
    return std::nullopt;
}

std::optional<std::u16string> CommandDialogProvider::ChooseFile(const FileRequest& request) {
    const auto answer =
        RunHelper(m_tool == Tool::Zenity ? ZenityFileArguments(request) : KdialogFileArguments(request));
    if (!answer || answer->empty())
        return std::nullopt;
    return Utf8ToUtf16(*answer);
}

std::optional<COLORREF> CommandDialogProvider::ChooseColor(const ColorRequest& request) {
    const auto answer =
        RunHelper(m_tool == Tool::Zenity ? ZenityColorArguments(request) : KdialogColorArguments(request));
    if (!answer)
        return std::nullopt;
    return ParseColorAnswer(*answer);
}

} // namespace plat
