// Keys and clicks from xdotool reach the raw input target while another window has the
// focus.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/core/handle_table.h"
#include "platform/os/raw_input.h"

#include <thread>

namespace plat::testing {
namespace {

class X11RawInputTest : public X11Fixture {
protected:
    void TearDown() override {
        RAWINPUTDEVICE remove[2] = {{kUsagePageGeneric, kUsageKeyboard, RIDEV_REMOVE, nullptr},
                                    {kUsagePageGeneric, kUsageMouse, RIDEV_REMOVE, nullptr}};
        RegisterRawInputDevices(remove, 2, sizeof(RAWINPUTDEVICE));
        X11Fixture::TearDown();
    }

    // Runs the thread's messages until `count` reports came or time runs out.
    bool WaitForReports(std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (m_reports.size() < count && std::chrono::steady_clock::now() < deadline) {
            MSG msg;
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessage(&msg);
            }
            std::this_thread::sleep_for(10ms);
        }
        return m_reports.size() >= count;
    }

    std::vector<RAWINPUT> m_reports;
    FunctionTarget m_target{[this](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message == WM_INPUT) {
            UINT size = 0;
            const auto handle = reinterpret_cast<HRAWINPUT>(lParam);
            GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER));
            RAWINPUT report;
            if (size <= sizeof report &&
                GetRawInputData(handle, RID_INPUT, &report, &size, sizeof(RAWINPUTHEADER)) == size) {
                m_reports.push_back(report);
            }
        }
        return 0;
    }};
};

TEST_F(X11RawInputTest, KeysAndClicksArriveWhileAnotherWindowHasTheFocus) {
    // A window of another client takes the focus.
    const Window other = XCreateSimpleWindow(Probe(), DefaultRootWindow(Probe()), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(Probe(), other);
    XSync(Probe(), False);
    XSetInputFocus(Probe(), other, RevertToParent, CurrentTime);
    XSync(Probe(), False);

    const HWND target = CreateWindowHandle(&m_target);
    const RAWINPUTDEVICE devices[2] = {
        {kUsagePageGeneric, kUsageKeyboard, RIDEV_INPUTSINK | RIDEV_NOLEGACY, target},
        {kUsagePageGeneric, kUsageMouse, RIDEV_INPUTSINK, target}};
    ASSERT_TRUE(RegisterRawInputDevices(devices, 2, sizeof(RAWINPUTDEVICE)));

    ASSERT_TRUE(Xdotool({"key", "a", "Right", "KP_Enter"}));
    ASSERT_TRUE(WaitForReports(6));
    struct Key {
        uint16_t makeCode;
        uint16_t flags;
        uint16_t vkey;
    };
    const Key keys[6] = {{0x1E, RI_KEY_MAKE, 0x41}, {0x1E, RI_KEY_BREAK, 0x41},
                         {0x4D, RI_KEY_E0, 0x27},   {0x4D, RI_KEY_E0 | RI_KEY_BREAK, 0x27},
                         {0x1C, RI_KEY_E0, 0x0D},   {0x1C, RI_KEY_E0 | RI_KEY_BREAK, 0x0D}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(m_reports[i].header.dwType, RIM_TYPEKEYBOARD) << i;
        EXPECT_EQ(m_reports[i].data.keyboard.MakeCode, keys[i].makeCode) << i;
        EXPECT_EQ(m_reports[i].data.keyboard.Flags, keys[i].flags) << i;
        EXPECT_EQ(m_reports[i].data.keyboard.VKey, keys[i].vkey) << i;
    }

    m_reports.clear();
    ASSERT_TRUE(Xdotool({"click", "1", "click", "3", "click", "2", "click", "8", "click", "9"}));
    ASSERT_TRUE(WaitForReports(10));
    const uint16_t words[10] = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010,
                                0x0020, 0x0040, 0x0080, 0x0100, 0x0200};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(m_reports[i].header.dwType, RIM_TYPEMOUSE) << i;
        EXPECT_EQ(m_reports[i].data.mouse.usButtonFlags, words[i]) << i;
    }
    DestroyWindowHandle(target);
    XDestroyWindow(Probe(), other);
}

} // namespace
} // namespace plat::testing
