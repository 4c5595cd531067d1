#include "platform/os/raw_input.h"

#include "tests/platform/os/recording_window.h"

#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

using namespace plat;

namespace {

// Reads a report the way the programs do: size first, then the data into a buffer of it.
std::optional<RAWINPUT> ReadReport(LPARAM lParam) {
    const auto handle = reinterpret_cast<HRAWINPUT>(lParam);
    UINT size = 0;
    if (GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) {
        return std::nullopt;
    }
    std::vector<unsigned char> buffer(size);
    if (GetRawInputData(handle, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) != size) {
        return std::nullopt;
    }
    RAWINPUT report;
    std::memcpy(&report, buffer.data(), std::min<std::size_t>(size, sizeof report));
    return report;
}

class RawInputTest : public ::testing::Test {
protected:
    void SetUp() override { RecordingWindow::Pump(); }
    void TearDown() override {
        RemoveRawInputSourceHook(&m_window);
        RAWINPUTDEVICE remove[2] = {{kUsagePageGeneric, kUsageKeyboard, RIDEV_REMOVE, nullptr},
                                    {kUsagePageGeneric, kUsageMouse, RIDEV_REMOVE, nullptr}};
        RegisterRawInputDevices(remove, 2, sizeof(RAWINPUTDEVICE));
        RecordingWindow::Pump();
    }

    void Register(HWND target) {
        RAWINPUTDEVICE devices[2] = {
            {kUsagePageGeneric, kUsageKeyboard, RIDEV_INPUTSINK | RIDEV_NOLEGACY, target},
            {kUsagePageGeneric, kUsageMouse, RIDEV_INPUTSINK, target}};
        ASSERT_TRUE(RegisterRawInputDevices(devices, 2, sizeof(RAWINPUTDEVICE)));
    }

    std::vector<RAWINPUT> m_reports;
    RecordingWindow m_window{[this](const ReceivedMessage& m) {
        if (m.message == WM_INPUT) {
            if (auto report = ReadReport(m.lParam)) {
                m_reports.push_back(*report);
            }
        }
    }};
};

TEST_F(RawInputTest, KeyReportsCarryMakeCodeFlagsAndVirtualKey) {
    Register(m_window.hwnd);
    struct Case {
        unsigned evdev;
        bool release;
        uint16_t makeCode;
        uint16_t flags;
        uint16_t vkey;
    };
    const Case cases[] = {
        {KEY_A, false, 0x1E, RI_KEY_MAKE, 0x41},
        {KEY_A, true, 0x1E, RI_KEY_BREAK, 0x41},
        {KEY_RIGHTCTRL, false, 0x1D, RI_KEY_E0, 0xA3},
        {KEY_KPENTER, true, 0x1C, RI_KEY_BREAK | RI_KEY_E0, 0x0D},
        {KEY_PAUSE, false, 0x45, RI_KEY_E1, 0x13},
        {KEY_MACRO1, false, 0, RI_KEY_MAKE, kRawUnknownVirtualKey}, // no make code here
    };
    for (const Case& c : cases) {
        m_reports.clear();
        DeliverRawKey(c.evdev, c.release);
        RecordingWindow::Pump();
        ASSERT_EQ(m_reports.size(), 1u) << c.evdev;
        const RAWINPUT& r = m_reports[0];
        EXPECT_EQ(r.header.dwType, RIM_TYPEKEYBOARD);
        EXPECT_EQ(r.header.wParam, RIM_INPUTSINK);
        EXPECT_EQ(r.data.keyboard.MakeCode, c.makeCode) << c.evdev;
        EXPECT_EQ(r.data.keyboard.Flags, c.flags) << c.evdev;
        EXPECT_EQ(r.data.keyboard.VKey, c.vkey) << c.evdev;
    }
}

TEST_F(RawInputTest, ButtonTransitionsGiveOneFlagEach) {
    Register(m_window.hwnd);
    struct Case {
        unsigned xButton;
        uint16_t down;
    };
    const Case cases[] = {{1, 0x0001}, {3, 0x0004}, {2, 0x0010}, {8, 0x0040}, {9, 0x0100}};
    for (const Case& c : cases) {
        m_reports.clear();
        DeliverRawButton(c.xButton, false);
        DeliverRawButton(c.xButton, true);
        RecordingWindow::Pump();
        ASSERT_EQ(m_reports.size(), 2u) << c.xButton;
        EXPECT_EQ(m_reports[0].header.dwType, RIM_TYPEMOUSE);
        EXPECT_EQ(m_reports[0].data.mouse.usButtonFlags, c.down) << c.xButton;
        EXPECT_EQ(m_reports[1].data.mouse.usButtonFlags, c.down << 1) << c.xButton;
    }
    // Wheel steps (4-7) are no button transitions.
    m_reports.clear();
    for (unsigned wheel : {4u, 5u, 6u, 7u}) {
        DeliverRawButton(wheel, false);
    }
    RecordingWindow::Pump();
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(RawInputTest, NothingArrivesWithoutOrAfterRegistration) {
    DeliverRawKey(KEY_A, false);
    RecordingWindow::Pump();
    EXPECT_TRUE(m_window.received.empty());

    Register(m_window.hwnd);
    RAWINPUTDEVICE removeKeyboard{kUsagePageGeneric, kUsageKeyboard, RIDEV_REMOVE, nullptr};
    ASSERT_TRUE(RegisterRawInputDevices(&removeKeyboard, 1, sizeof removeKeyboard));
    DeliverRawKey(KEY_A, false);
    DeliverRawButton(1, false);
    RecordingWindow::Pump();
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].header.dwType, RIM_TYPEMOUSE);
}

TEST_F(RawInputTest, ALaterRegistrationMovesTheTarget) {
    RecordingWindow other;
    Register(m_window.hwnd);
    Register(other.hwnd);
    DeliverRawKey(KEY_A, false);
    RecordingWindow::Pump();
    EXPECT_TRUE(m_reports.empty());
    ASSERT_EQ(other.received.size(), 1u);
    EXPECT_EQ(other.received[0].message, WM_INPUT);
}

TEST_F(RawInputTest, BadRegistrationsChangeNothing) {
    Register(m_window.hwnd);
    const RAWINPUTDEVICE good{kUsagePageGeneric, kUsageMouse, RIDEV_REMOVE, nullptr};
    struct Case {
        const char* what;
        RAWINPUTDEVICE second;
        UINT size;
    };
    const Case cases[] = {
        {"remove naming a target",
         {kUsagePageGeneric, kUsageKeyboard, RIDEV_REMOVE, m_window.hwnd},
         sizeof good},
        {"input sink without target",
         {kUsagePageGeneric, kUsageKeyboard, RIDEV_INPUTSINK, nullptr},
         sizeof good},
        {"wrong entry size", {kUsagePageGeneric, kUsageKeyboard, RIDEV_REMOVE, nullptr}, sizeof good - 1},
    };
    for (const Case& c : cases) {
        const RAWINPUTDEVICE devices[2] = {good, c.second};
        EXPECT_FALSE(RegisterRawInputDevices(devices, 2, c.size)) << c.what;
    }
    EXPECT_FALSE(RegisterRawInputDevices(nullptr, 1, sizeof good));
    // The mouse registration survived the refused calls, which removed it first.
    DeliverRawButton(1, false);
    RecordingWindow::Pump();
    EXPECT_EQ(m_reports.size(), 1u);
}

TEST_F(RawInputTest, ReadingRefusesShortBuffersAndStaleHandles) {
    Register(m_window.hwnd);
    DeliverRawKey(KEY_A, false);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, m_window.hwnd, WM_INPUT, WM_INPUT, PM_REMOVE));
    const auto handle = reinterpret_cast<HRAWINPUT>(msg.lParam);
    const UINT failed = static_cast<UINT>(-1);

    UINT size = 0;
    ASSERT_EQ(GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)), 0u);
    EXPECT_EQ(size, sizeof(RAWINPUTHEADER) + sizeof(RAWKEYBOARD));
    RAWINPUT report;
    UINT shortSize = size - 1;
    EXPECT_EQ(GetRawInputData(handle, RID_INPUT, &report, &shortSize, sizeof(RAWINPUTHEADER)), failed);
    EXPECT_EQ(GetRawInputData(handle, RID_INPUT, &report, &size, sizeof(RAWINPUTHEADER) + 1), failed);
    EXPECT_EQ(GetRawInputData(handle, 0x1234, &report, &size, sizeof(RAWINPUTHEADER)), failed);
    EXPECT_EQ(GetRawInputData(handle, RID_INPUT, &report, nullptr, sizeof(RAWINPUTHEADER)), failed);

    UINT headerSize = 0;
    EXPECT_EQ(GetRawInputData(handle, RID_HEADER, nullptr, &headerSize, sizeof(RAWINPUTHEADER)), 0u);
    EXPECT_EQ(headerSize, sizeof(RAWINPUTHEADER));

    const auto never = reinterpret_cast<HRAWINPUT>(msg.lParam + 100000);
    EXPECT_EQ(GetRawInputData(never, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)), failed);
    EXPECT_EQ(GetRawInputData(nullptr, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)), failed);
}

TEST_F(RawInputTest, OldUnreadReportsArePushedOut) {
    Register(m_window.hwnd);
    DeliverRawKey(KEY_A, false);
    MSG first;
    ASSERT_TRUE(PeekMessage(&first, m_window.hwnd, WM_INPUT, WM_INPUT, PM_REMOVE));
    for (int i = 0; i < 1000; ++i) {
        DeliverRawKey(KEY_B, false);
    }
    UINT size = 0;
    EXPECT_EQ(GetRawInputData(reinterpret_cast<HRAWINPUT>(first.lParam), RID_INPUT, nullptr, &size,
                              sizeof(RAWINPUTHEADER)),
              static_cast<UINT>(-1));
}

TEST_F(RawInputTest, TheSourceHookFollowsTheWishes) {
    std::vector<std::pair<bool, bool>> calls;
    SetRawInputSourceHook(&m_window, [&](bool keyboard, bool mouse) { calls.emplace_back(keyboard, mouse); });
    Register(m_window.hwnd);
    RAWINPUTDEVICE removeMouse{kUsagePageGeneric, kUsageMouse, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&removeMouse, 1, sizeof removeMouse);
    const std::vector<std::pair<bool, bool>> expected = {{false, false}, {true, true}, {true, false}};
    EXPECT_EQ(calls, expected);
}

TEST_F(RawInputTest, OnlyTheNewestSourceListens) {
    std::vector<std::pair<bool, bool>> older, newer;
    int olderOwner = 0;
    SetRawInputSourceHook(&olderOwner,
                          [&](bool keyboard, bool mouse) { older.emplace_back(keyboard, mouse); });
    Register(m_window.hwnd);
    SetRawInputSourceHook(&m_window, [&](bool keyboard, bool mouse) { newer.emplace_back(keyboard, mouse); });
    // The older source going away later must not silence the newer one.
    RemoveRawInputSourceHook(&olderOwner);
    RAWINPUTDEVICE removeMouse{kUsagePageGeneric, kUsageMouse, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&removeMouse, 1, sizeof removeMouse);
    EXPECT_EQ(older, (std::vector<std::pair<bool, bool>>{{false, false}, {true, true}, {false, false}}));
    EXPECT_EQ(newer, (std::vector<std::pair<bool, bool>>{{true, true}, {true, false}}));
}

} // namespace
