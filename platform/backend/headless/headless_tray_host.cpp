// An in-memory notification area for tests.
#include "platform/backend/headless/headless_tray_host.h"

#include <algorithm>

namespace plat {

struct HeadlessTrayHost::State {
    struct Entry {
        int serial;
        Bitmap image;
        std::u16string tip;
        MouseSink sink;
    };

    Entry* Find(int serial) {
        auto it =
            std::find_if(icons.begin(), icons.end(), [&](const Entry& e) { return e.serial == serial; });
        return it == icons.end() ? nullptr : &*it;
    }

    std::mutex mutex;
    bool running{true};
    int nextSerial{1};
    std::vector<Entry> icons;
    std::function<void()> listener;
};

class HeadlessTrayHost::Icon final : public TrayIcon {
public:
    Icon(std::weak_ptr<State> state, int serial) : m_state(std::move(state)), m_serial(serial) {}
    ~Icon() override {
        if (auto state = m_state.lock()) {
            std::lock_guard lock(state->mutex);
            std::erase_if(state->icons, [&](const State::Entry& e) { return e.serial == m_serial; });
        }
    }
    void SetImage(const Bitmap& image) override {
        Update([&](State::Entry& e) { e.image = image; });
    }
    void SetTip(const std::u16string& tip) override {
        Update([&](State::Entry& e) { e.tip = tip; });
    }

private:
    template <typename Change> void Update(Change change) {
        auto state = m_state.lock();
        if (!state)
            return;
        std::lock_guard lock(state->mutex);
        if (State::Entry* e = state->Find(m_serial))
            change(*e);
    }

    std::weak_ptr<State> m_state;
    int m_serial;
};

HeadlessTrayHost::HeadlessTrayHost() : m_state(std::make_shared<State>()) {}
HeadlessTrayHost::~HeadlessTrayHost() = default;

bool HeadlessTrayHost::Available() {
    std::lock_guard lock(m_state->mutex);
    return m_state->running;
}

std::unique_ptr<TrayIcon> HeadlessTrayHost::AddIcon(const Bitmap& image, const std::u16string& tip,
                                                    MouseSink sink) {
    std::lock_guard lock(m_state->mutex);
    if (!m_state->running)
        return nullptr;
    const int serial = m_state->nextSerial++;
    m_state->icons.push_back({serial, image, tip, std::move(sink)});
    return std::make_unique<Icon>(m_state, serial);
}

void HeadlessTrayHost::SetAppearanceListener(std::function<void()> listener) {
    std::lock_guard lock(m_state->mutex);
    m_state->listener = std::move(listener);
}

void HeadlessTrayHost::Start() {
    std::function<void()> listener;
    {
        std::lock_guard lock(m_state->mutex);
        m_state->running = true;
        m_state->icons.clear();
        listener = m_state->listener;
    }
    if (listener)
        listener();
}

void HeadlessTrayHost::Stop() {
    std::lock_guard lock(m_state->mutex);
    m_state->running = false;
    m_state->icons.clear();
}

std::vector<HeadlessTrayHost::IconInfo> HeadlessTrayHost::Icons() const {
    std::lock_guard lock(m_state->mutex);
    std::vector<IconInfo> out;
    for (const State::Entry& e : m_state->icons)
        out.push_back({e.serial, e.image, e.tip});
    return out;
}

std::u16string HeadlessTrayHost::HoverTip(int serial) const {
    std::lock_guard lock(m_state->mutex);
    const State::Entry* e = m_state->Find(serial);
    return e ? e->tip : std::u16string();
}

bool HeadlessTrayHost::Act(int serial, UINT mouseMessage) {
    MouseSink sink;
    {
        std::lock_guard lock(m_state->mutex);
        const State::Entry* e = m_state->Find(serial);
        if (!e)
            return false;
        sink = e->sink;
    }
    if (sink)
        sink(mouseMessage);
    return true;
}

} // namespace plat
