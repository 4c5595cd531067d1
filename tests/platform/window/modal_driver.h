// Driving a modal dialog from a test: the dialog runs its own message loop, so the test's
// steps are played by a timer of a hidden helper window inside that loop, each once its
// condition holds. A timer, not a posted message, so that a step waiting for a nested
// dialog lets the test's own pumping return: virtual time only moves on when the thread
// waits in a loop.
#pragma once

#include "control_test_support.h"

#include "platform/window/dialog.h"

#include <deque>
#include <functional>

namespace window_test {

class ModalDriver : public CWnd {
public:
    static constexpr UINT_PTR kTimer = 0x51;
    static constexpr int kPatience = 500;

    ModalDriver() { EXPECT_TRUE(CreateEx(0, kPlainClass, u"driver", WS_POPUP, {0, 0, 1, 1}, nullptr)); }

    // Plays `action` once `ready` holds.
    void When(std::function<bool()> ready, std::function<void()> action) {
        m_steps.push_back({std::move(ready), std::move(action)});
        SetTimer(kTimer, 10);
    }
    // The enabled dialog of that class that is active now, or null.
    template <typename Dialog> static Dialog* Active() {
        auto* dialog = dynamic_cast<Dialog*>(CWnd::FromHandle(GetActiveWindow()));
        return dialog && dialog->IsWindowEnabled() && dialog->IsWindowVisible() ? dialog : nullptr;
    }
    template <typename Dialog> void WhenActive(std::function<void(Dialog&)> action) {
        When([] { return Active<Dialog>() != nullptr; }, [action] { action(*Active<Dialog>()); });
    }
    bool Finished() const { return m_steps.empty(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != kTimer)
            return CWnd::WindowProc(message, wParam, lParam);
        // A script that never comes or leaves its dialog open fails instead of hanging.
        const bool dialogUp = dynamic_cast<CDialog*>(CWnd::FromHandle(GetActiveWindow())) != nullptr;
        if (m_steps.empty() && !dialogUp) {
            KillTimer(kTimer);
            return 0;
        }
        if (m_steps.empty() || !m_steps.front().ready()) {
            if (++m_waited == kPatience) {
                ADD_FAILURE() << (m_steps.empty() ? "the script left its dialog open"
                                                  : "a step of the dialog script never became ready");
                m_steps.clear();
                m_waited = 0;
                plat::PostMessage(GetActiveWindow(), WM_CLOSE, 0, 0);
            }
            return 0;
        }
        m_waited = 0;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step.action();
        return 0;
    }

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> action;
    };
    std::deque<Step> m_steps;
    int m_waited{0};
};

} // namespace window_test
