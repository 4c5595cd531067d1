// A window on the test's thread that keeps what it receives; Pump hands it the posted
// messages waiting in the queue.
#pragma once

#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"

#include <functional>
#include <vector>

struct ReceivedMessage {
    plat::UINT message = 0;
    plat::WPARAM wParam = 0;
    plat::LPARAM lParam = 0;
};

class RecordingWindow {
public:
    // `reader` runs while the message is handled, when its lParam is still valid.
    using Reader = std::function<void(const ReceivedMessage&)>;
    explicit RecordingWindow(Reader reader = {})
        : m_target([this, reader = std::move(reader)](plat::UINT m, plat::WPARAM w,
                                                      plat::LPARAM l) -> plat::LRESULT {
              received.push_back({m, w, l});
              if (reader) {
                  reader(received.back());
              }
              return 0;
          }),
          hwnd(plat::CreateWindowHandle(&m_target)) {}
    ~RecordingWindow() { plat::DestroyWindowHandle(hwnd); }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    static void Pump() {
        plat::MSG msg;
        while (plat::PeekMessage(&msg, nullptr, 0, 0, plat::PM_REMOVE)) {
            plat::DispatchMessage(&msg);
        }
    }

    std::vector<ReceivedMessage> received;

private:
    plat::FunctionTarget m_target;

public:
    plat::HWND hwnd;
};
