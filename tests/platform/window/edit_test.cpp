// The single-line edit field: typing, selection by keys and mouse, the clipboard, the text
// limit, filters in an ancestor's PreTranslateMessage, the blinking caret, owner colours
// and alignment.
#include "control_test_support.h"

#include "platform/window/edit.h"

namespace window_test {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr UINT kId = 339;

// A parent that filters characters like a number field's popup does and colours its edit.
class Owner : public RecordingWnd {
public:
    bool digitsOnly{false};
    std::optional<COLORREF> brush;
    bool PreTranslateMessage(MSG& msg) override {
        if (digitsOnly && msg.message == WM_CHAR && msg.wParam >= 0x20 &&
            (msg.wParam < '0' || msg.wParam > '9'))
            return true;
        return false;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CTLCOLOREDIT && brush)
            return BrushResult(*brush);
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }
};

class EditTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(
            m_owner.CreateEx(0, kPlainClass, u"owner", WS_POPUP | WS_VISIBLE, {0, 0, 300, 100}, nullptr));
        m_owner.fill = kGrey;
    }
    void TearDown() override {
        m_edit.DestroyWindow();
        m_owner.DestroyWindow();
        ControlTest::TearDown();
    }
    CEdit& Field(DWORD style = WS_BORDER, Rect r = {10, 10, 210, 36}) {
        EXPECT_TRUE(m_edit.Create(WS_VISIBLE | style, r, &m_owner, kId));
        m_edit.SetFocus();
        Pump();
        m_owner.log.clear();
        return m_edit;
    }
    std::pair<int, int> Sel() const {
        int s = 0;
        int e = 0;
        m_edit.GetSel(s, e);
        return {s, e};
    }
    int Changes() {
        int n = 0;
        for (const Notification& c : Commands(m_owner))
            n += c.code == EN_CHANGE;
        return n;
    }
    // Leftmost and rightmost columns of the field's middle row that differ from `background`.
    std::pair<int, int> InkSpan(COLORREF background) {
        const Rect r = m_edit.GetWindowRect();
        const Bitmap screen = m_screen->ComposeScreen();
        int first = -1;
        int last = -1;
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            for (int y = r.top + 4; y < r.bottom - 4; ++y)
                if (ColorFromPixel(screen.PixelAt(x, y)) != background) {
                    if (first < 0)
                        first = x - r.left;
                    last = x - r.left;
                    break;
                }
        }
        return {first, last};
    }

    Owner m_owner;
    CEdit m_edit;
};

TEST_F(EditTest, TypingEditingAndChangeNotifications) {
    auto& edit = Field();
    Type(u"hello");
    EXPECT_EQ(edit.GetWindowText(), u"hello");
    EXPECT_EQ(Changes(), 5);
    Tap(VK_LEFT);
    Tap(VK_BACK);
    Tap(VK_HOME);
    Tap(VK_DELETE);
    Type(u"J");
    EXPECT_EQ(edit.GetWindowText(), u"Jelo");
    EXPECT_EQ(edit.CaretPos(), 1);
    Tap(VK_RETURN); // not text
    Tap(VK_ESCAPE);
    EXPECT_EQ(edit.GetWindowText(), u"Jelo");
    edit.SetWindowText(u"set");
    EXPECT_EQ(Sel(), (std::pair{0, 0}));
    EXPECT_EQ(Changes(), 4);
}

TEST_F(EditTest, SelectionByKeysAndClipboard) {
    auto& edit = Field();
    Type(u"abc def");
    TapWith(VK_SHIFT, VK_LEFT);
    TapWith(VK_SHIFT, VK_LEFT);
    EXPECT_EQ(Sel(), (std::pair{5, 7}));
    TapWith(VK_CONTROL, 'C');
    EXPECT_EQ(m_screen->ClipboardText(), u"ef");
    Tap(VK_RIGHT);
    EXPECT_EQ(Sel(), (std::pair{7, 7})) << "an arrow collapses the selection at its end";
    TapWith(VK_SHIFT, VK_HOME);
    EXPECT_EQ(Sel(), (std::pair{0, 7}));
    Tap(VK_END);
    TapWith(VK_CONTROL, 'A');
    EXPECT_EQ(Sel(), (std::pair{0, 7}));
    TapWith(VK_CONTROL, 'X');
    EXPECT_EQ(edit.GetWindowText(), u"");
    EXPECT_EQ(m_screen->ClipboardText(), u"abc def");
    TapWith(VK_CONTROL, 'V');
    TapWith(VK_CONTROL, 'V');
    EXPECT_EQ(edit.GetWindowText(), u"abc defabc def");
    EXPECT_EQ(Sel(), (std::pair{14, 14}));
    TapWith(VK_CONTROL, VK_LEFT);
    EXPECT_EQ(Sel(), (std::pair{11, 11})) << "Ctrl moves by words";
    edit.SetSel(0, 4);
    TapWith(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(edit.GetWindowText(), u"defabc def");
    EXPECT_EQ(m_screen->ClipboardText(), u"abc ");
}

TEST_F(EditTest, TextLimitAppliesToTypingAndPasting) {
    struct Case {
        const char* what;
        std::u16string start;
        bool selectAll;
        std::u16string clipboard; // pasted when not empty, else typed "x"
        std::u16string expected;
    };
    const std::u16string full = u"ABCDEFGHIJKLMNOPQ"; // 17 characters
    const Case cases[] = {
        {"an 18th character is refused", full, false, {}, full},
        {"typing replaces a full selection", full, true, {}, u"x"},
        {"a paste is cut at the limit", u"ABCDEFGHIJKLMNO", false, u"123456", u"ABCDEFGHIJKLMNO12"},
        {"a paste keeps its first line", u"", false, u"one\r\ntwo", u"one"},
    };
    auto& edit = Field();
    edit.SetLimitText(17);
    for (const Case& c : cases) {
        edit.SetWindowText(c.start);
        if (c.selectAll)
            edit.SetSel(0, -1);
        else
            edit.SetSel(static_cast<int>(c.start.size()), static_cast<int>(c.start.size()));
        if (c.clipboard.empty()) {
            Type(u"x");
        } else {
            m_screen->SetClipboardText(c.clipboard);
            TapWith(VK_CONTROL, 'V');
        }
        EXPECT_EQ(edit.GetWindowText(), c.expected) << c.what;
    }
    edit.SetWindowText(u"a text longer than the limit set above");
    EXPECT_EQ(edit.GetWindowTextLength(), 38) << "the program itself may set more";
}

TEST_F(EditTest, AncestorFilterDropsCharactersBeforeTheField) {
    auto& edit = Field();
    m_owner.digitsOnly = true;
    Type(u"a1b2-3");
    EXPECT_EQ(edit.GetWindowText(), u"123");
    Tap(VK_BACK);
    EXPECT_EQ(edit.GetWindowText(), u"12") << "Backspace passes the filter";
}

TEST_F(EditTest, MouseSelectsByDraggingShiftClickAndDoubleClick) {
    auto& edit = Field();
    edit.SetWindowText(u"alpha beta");
    MoveTo(edit, {2, 12});
    m_screen->PressButton(MouseButton::Left);
    Pump();
    MoveTo(edit, {199, 12});
    m_screen->ReleaseButton(MouseButton::Left);
    Pump();
    EXPECT_EQ(Sel(), (std::pair{0, 10}));

    m_clock.Advance(Milliseconds(1000));
    ClickAt(edit, {2, 12});
    EXPECT_EQ(Sel(), (std::pair{0, 0}));
    m_clock.Advance(Milliseconds(1000));
    m_screen->PressKey(Key(VK_SHIFT));
    m_screen->SetModifiers(kModShift);
    ClickAt(edit, {199, 12});
    m_screen->SetModifiers(0);
    m_screen->ReleaseKey(Key(VK_SHIFT));
    Pump();
    EXPECT_EQ(Sel(), (std::pair{0, 10}));

    m_clock.Advance(Milliseconds(1000));
    edit.SetSel(8, 8);
    const Point caretPoint{199, 12};
    ClickAt(edit, caretPoint);
    ClickAt(edit, caretPoint);
    EXPECT_EQ(Sel(), (std::pair{6, 10})) << "a double click selects the word";
}

TEST_F(EditTest, CaretBlinksWhileFocused) {
    auto& edit = Field();
    EXPECT_TRUE(edit.CaretShown());
    m_clock.Advance(Milliseconds(CEdit::kBlinkMs));
    Pump();
    EXPECT_FALSE(edit.CaretShown());
    Type(u"a"); // typing shows it again at once
    EXPECT_TRUE(edit.CaretShown());
    m_owner.SetFocus();
    Pump();
    EXPECT_FALSE(edit.CaretShown());
}

TEST_F(EditTest, OwnerBrushAndCentredText) {
    struct Case {
        DWORD align;
        bool centred;
    };
    const COLORREF brush = RGB(20, 40, 60);
    m_owner.brush = brush;
    for (const Case c : {Case{ES_LEFT, false}, Case{ES_CENTER, true}}) {
        auto& edit = Field(c.align, {10, 10, 210, 36});
        edit.SetWindowText(u"42");
        m_owner.SetFocus(); // no caret in the picture
        Pump();
        EXPECT_EQ(ScreenColor(edit.ClientToScreen(Point{1, 1})), brush);
        const auto [first, last] = InkSpan(brush);
        ASSERT_GE(first, 0) << "the text is drawn";
        const int width = edit.GetClientRect().Width();
        if (c.centred)
            EXPECT_NEAR((first + last) / 2, width / 2, 4);
        else
            EXPECT_LT(first, 8);
        edit.DestroyWindow();
    }
}

} // namespace
} // namespace window_test
