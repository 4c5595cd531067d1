// The desktop portal's file chooser. The call returns a request object at once; the
// answer comes later as its Response signal, which is awaited while the UI thread keeps
// handling its messages.
#include "platform/window/portal_dialog_provider.h"

#include "platform/core/message_queue.h"
#include "platform/text/utf.h"

#include <sdbus-c++/sdbus-c++.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>

namespace plat {

namespace {

constexpr char kPortalName[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kChooser[] = "org.freedesktop.portal.FileChooser";
constexpr char kRequest[] = "org.freedesktop.portal.Request";
constexpr char kBusName[] = "org.freedesktop.DBus";
constexpr char kBusPath[] = "/org/freedesktop/DBus";
constexpr auto kPollSlice = std::chrono::milliseconds(20);

using PatternList = std::vector<sdbus::Struct<std::uint32_t, std::string>>;
using PortalFilter = sdbus::Struct<std::string, PatternList>;

std::vector<std::uint8_t> NulTerminated(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::map<std::string, sdbus::Variant> Options(const FileRequest& request, const std::string& token) {
    std::map<std::string, sdbus::Variant> options;
    options["handle_token"] = sdbus::Variant(token);
    options["modal"] = sdbus::Variant(true);
    std::vector<PortalFilter> filters;
    for (const FileFilter& f : request.filters) {
        PatternList patterns;
        for (const std::u16string& p : f.patterns)
            patterns.emplace_back(0u, Utf16ToUtf8(p));
        filters.emplace_back(Utf16ToUtf8(f.name), std::move(patterns));
    }
    if (!filters.empty())
        options["filters"] = sdbus::Variant(filters);
    if (!request.initialFolder.empty())
        options["current_folder"] = sdbus::Variant(NulTerminated(Utf16ToUtf8(request.initialFolder)));
    if (request.save && !request.initialName.empty())
        options["current_name"] = sdbus::Variant(Utf16ToUtf8(request.initialName));
    return options;
}

// "file:///a%20b" -> "/a b"; nullopt for other schemes.
std::optional<std::string> PathFromUri(const std::string& uri) {
    constexpr std::string_view kScheme = "file://";
    if (!std::string_view(uri).starts_with(kScheme))
        return std::nullopt;
    std::string path;
    for (size_t i = kScheme.size(); i < uri.size(); ++i) {
        const auto hex = [](char c) {
            return c >= '0' && c <= '9'   ? c - '0'
                   : c >= 'a' && c <= 'f' ? c - 'a' + 10
                   : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                          : -1;
        };
        if (uri[i] == '%' && i + 2 < uri.size() && hex(uri[i + 1]) >= 0 && hex(uri[i + 2]) >= 0) {
            path += static_cast<char>(hex(uri[i + 1]) * 16 + hex(uri[i + 2]));
            i += 2;
        } else {
            path += uri[i];
        }
    }
    return path;
}

std::string SenderPart(std::string unique) {
    if (!unique.empty() && unique.front() == ':')
        unique.erase(0, 1);
    std::replace(unique.begin(), unique.end(), '.', '_');
    return unique;
}

void PumpWaitingMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        PumpMessage(msg);
}

// What the wait for a request's answer has seen so far.
struct PendingAnswer {
    bool answered{false};
    bool portalGone{false};
    std::optional<std::u16string> chosen;
};

// A malformed answer counts as an answer without a choice: the user is not left waiting.
void ReadResponse(sdbus::Signal& signal, PendingAnswer& answer) {
    answer.answered = true;
    try {
        std::uint32_t response = 2;
        std::map<std::string, sdbus::Variant> results;
        signal >> response >> results;
        if (response != 0)
            return;
        const auto uris = results.find("uris");
        if (uris == results.end())
            return;
        const auto list = uris->second.get<std::vector<std::string>>();
        if (!list.empty())
            if (auto path = PathFromUri(list.front()))
                answer.chosen = Utf8ToUtf16(*path);
    } catch (const sdbus::Error&) {
        answer.chosen.reset();
    }
}

std::unique_ptr<sdbus::IProxy> ListenForResponse(sdbus::IConnection& bus, const std::string& path,
                                                 PendingAnswer& answer) {
    auto proxy = sdbus::createProxy(bus, kPortalName, path);
    proxy->registerSignalHandler(kRequest, "Response",
                                 [&answer](sdbus::Signal& signal) { ReadResponse(signal, answer); });
    proxy->finishRegistration();
    return proxy;
}

// A portal that stops or restarts has forgotten the request: nothing will answer it. One
// started by the call itself (the name had no owner before) is no loss.
std::unique_ptr<sdbus::IProxy> WatchPortal(sdbus::IConnection& bus, PendingAnswer& answer) {
    auto proxy = sdbus::createProxy(bus, kBusName, kBusPath);
    proxy->registerSignalHandler(kBusName, "NameOwnerChanged", [&answer](sdbus::Signal& signal) {
        try {
            std::string name;
            std::string oldOwner;
            signal >> name >> oldOwner;
            if (name == kPortalName && !oldOwner.empty())
                answer.portalGone = true;
        } catch (const sdbus::Error&) {
        }
    });
    proxy->finishRegistration();
    return proxy;
}

// Asks the portal to take its dialog down; the answer does not matter.
void CloseRequest(sdbus::IConnection& bus, const std::string& path) {
    try {
        auto request = sdbus::createProxy(bus, kPortalName, path);
        request->callMethod("Close").onInterface(kRequest).dontExpectReply();
        bus.processPendingRequest();
    } catch (const sdbus::Error&) {
    }
}

// Handles the bus and the thread's messages until the answer comes, the portal goes or
// the deadline passes; false on the deadline.
bool AwaitAnswer(sdbus::IConnection& bus, const PendingAnswer& answer,
                 std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        while (!answer.answered && bus.processPendingRequest()) {
        }
        if (answer.answered || answer.portalGone)
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        // Rounded up, so the wait never ends before the deadline.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        const auto poll = bus.getEventLoopPollData();
        pollfd p{poll.fd, static_cast<short>(poll.events), 0};
        ::poll(&p, 1, static_cast<int>(std::min(left, kPollSlice).count()));
        PumpWaitingMessages();
    }
}

} // namespace

bool PortalDialogProvider::Available() {
    try {
        auto bus = sdbus::createSessionBusConnection();
        auto daemon = sdbus::createProxy(*bus, "org.freedesktop.DBus", "/org/freedesktop/DBus");
        bool owned = false;
        daemon->callMethod("NameHasOwner")
            .onInterface("org.freedesktop.DBus")
            .withTimeout(std::chrono::milliseconds(500))
            .withArguments(std::string(kPortalName))
            .storeResultsTo(owned);
        if (owned)
            return true;
        std::vector<std::string> activatable;
        daemon->callMethod("ListActivatableNames")
            .onInterface("org.freedesktop.DBus")
            .withTimeout(std::chrono::milliseconds(500))
            .storeResultsTo(activatable);
        return std::find(activatable.begin(), activatable.end(), kPortalName) != activatable.end();
    } catch (const sdbus::Error&) {
        return false;
    }
}

std::optional<std::u16string> PortalDialogProvider::ChooseFile(const FileRequest& request) {
    static std::atomic<unsigned> serial{0};
    try {
        auto bus = sdbus::createSessionBusConnection();
        const auto deadline = std::chrono::steady_clock::now() + m_answerTimeout;
        const std::string token = "kavox" + std::to_string(getpid()) + "_" + std::to_string(++serial);
        const std::string handle =
            std::string(kPortalPath) + "/request/" + SenderPart(bus->getUniqueName()) + "/" + token;
        // Listening before the call, so a quick answer is not missed.
        PendingAnswer answer;
        auto watch = WatchPortal(*bus, answer);
        auto listener = ListenForResponse(*bus, handle, answer);

        auto portal = sdbus::createProxy(*bus, kPortalName, kPortalPath);
        sdbus::ObjectPath returned;
        portal->callMethod(request.save ? "SaveFile" : "OpenFile")
            .onInterface(kChooser)
            .withArguments(std::string(), Utf16ToUtf8(request.title), Options(request, token))
            .storeResultsTo(returned);
        // An older portal ignores the token and picks its own path; its answer comes there.
        if (returned != handle)
            listener = ListenForResponse(*bus, returned, answer);
        if (!AwaitAnswer(*bus, answer, deadline)) {
            CloseRequest(*bus, returned);
            return std::nullopt;
        }
        return answer.chosen;
    } catch (const sdbus::Error&) {
        return std::nullopt;
    }
}

std::optional<COLORREF> PortalDialogProvider::ChooseColor(const ColorRequest& request) {
    return m_colorFallback ? m_colorFallback->ChooseColor(request) : std::nullopt;
}

} // namespace plat
