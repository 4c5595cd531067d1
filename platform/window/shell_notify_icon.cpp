// The process's tray icons, keyed by owner window and id, over the window system's tray host.
#include "platform/window/shell_notify_icon.h"

#include "platform/backend/window_system.h"
#include "platform/core/message_queue.h"
#include "platform/core/registered_message.h"
#include "platform/window/window_thread.h"
#include "platform/window/wnd.h"

#include <atomic>
#include <map>
#include <mutex>
#include <utility>

namespace plat {

namespace {

struct IconEntry {
    std::unique_ptr<TrayIcon> icon;
    // Shared with the icon's mouse sink, which may run on the tray host's thread.
    std::shared_ptr<std::atomic<UINT>> callback;
    UINT version{0};
};

using IconKey = std::pair<HWND, UINT>;

std::mutex g_mutex;
std::map<IconKey, IconEntry> g_icons;

std::u16string CutTip(const std::u16string& tip) {
    const size_t end = tip.find(u'\0');
    std::u16string cut = tip.substr(0, end);
    if (cut.size() > kNotifyTipCapacity - 1)
        cut.resize(kNotifyTipCapacity - 1);
    return cut;
}

void BroadcastTrayHostAppeared() {
    std::map<IconKey, IconEntry> gone;
    {
        std::lock_guard lock(g_mutex);
        gone.swap(g_icons);
    }
    gone.clear();
    const UINT message = RegisterWindowMessage(u"TaskbarCreated");
    for (const auto& record : WindowThread::ProcessTopLevels())
        PostMessage(record.hwnd, message, 0, 0);
}

bool Add(const NOTIFYICONDATA& data) {
    if (!CWnd::FromHandle(data.hWnd))
        return false;
    WatchForTrayHost();
    const IconKey key{data.hWnd, data.uID};
    {
        std::lock_guard lock(g_mutex);
        if (g_icons.count(key))
            return false;
    }
    auto callback =
        std::make_shared<std::atomic<UINT>>((data.uFlags & NIF_MESSAGE) ? data.uCallbackMessage : 0);
    const HWND hwnd = data.hWnd;
    const UINT id = data.uID;
    auto sink = [hwnd, id, callback](UINT mouseMessage) {
        if (const UINT message = callback->load())
            PostMessage(hwnd, message, id, static_cast<LPARAM>(mouseMessage));
    };
    const Bitmap image = (data.uFlags & NIF_ICON) && data.hIcon ? *data.hIcon : Bitmap();
    const std::u16string tip = (data.uFlags & NIF_TIP) ? CutTip(data.szTip) : std::u16string();
    auto icon = CurrentWindowSystem().Tray().AddIcon(image, tip, std::move(sink));
    if (!icon)
        return false;
    std::lock_guard lock(g_mutex);
    auto [it, added] = g_icons.emplace(key, IconEntry{std::move(icon), callback, 0});
    return added;
}

bool Modify(const NOTIFYICONDATA& data) {
    std::lock_guard lock(g_mutex);
    auto it = g_icons.find({data.hWnd, data.uID});
    if (it == g_icons.end())
        return false;
    if (data.uFlags & NIF_MESSAGE)
        it->second.callback->store(data.uCallbackMessage);
    if ((data.uFlags & NIF_ICON) && data.hIcon)
        it->second.icon->SetImage(*data.hIcon);
    if (data.uFlags & NIF_TIP)
        it->second.icon->SetTip(CutTip(data.szTip));
    return true;
}

bool Delete(const NOTIFYICONDATA& data) {
    std::unique_ptr<TrayIcon> icon;
    {
        std::lock_guard lock(g_mutex);
        auto it = g_icons.find({data.hWnd, data.uID});
        if (it == g_icons.end())
            return false;
        icon = std::move(it->second.icon);
        g_icons.erase(it);
    }
    return true;
}

bool SetVersion(const NOTIFYICONDATA& data) {
    std::lock_guard lock(g_mutex);
    auto it = g_icons.find({data.hWnd, data.uID});
    if (it == g_icons.end() || data.uVersion > NOTIFYICON_VERSION)
        return false;
    it->second.version = data.uVersion;
    return true;
}

} // namespace

bool Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data) {
    if (!data)
        return false;
    switch (message) {
    case NIM_ADD:
        return Add(*data);
    case NIM_MODIFY:
        return Modify(*data);
    case NIM_DELETE:
        return Delete(*data);
    case NIM_SETVERSION:
        return SetVersion(*data);
    default:
        return false;
    }
}

void WatchForTrayHost() {
    // Installed every time: a test may have replaced the window system since.
    CurrentWindowSystem().Tray().SetAppearanceListener(BroadcastTrayHostAppeared);
}

} // namespace plat
