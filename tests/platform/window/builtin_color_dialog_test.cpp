// The built-in colour chooser: the initial colour in the fields, a swatch click, typed
// channels clamped to 255, and the ways out.
#include "modal_driver.h"

#include "platform/text/format.h"
#include "platform/window/builtin_color_dialog.h"
#include "platform/window/builtin_dialog_provider.h"

#include <cstdlib>

namespace window_test {
namespace {

class BuiltinColorDialogTest : public ControlTest {
public:
    using ControlTest::Tap;
    using ControlTest::Type;

    static CEdit& Field(CWnd& d, int channel) {
        auto* field =
            dynamic_cast<CEdit*>(d.GetDlgItem(static_cast<int>(CBuiltinColorDialog::kRedId) + channel));
        if (!field)
            std::abort();
        return *field;
    }
    void ClickItem(CWnd& d, UINT id) {
        CWnd* item = d.GetDlgItem(static_cast<int>(id));
        ASSERT_NE(item, nullptr);
        ClickAt(*item, {item->GetClientRect().Width() / 2, item->GetClientRect().Height() / 2});
    }
    // Replaces a channel's text by typing, as a user does.
    void TypeChannel(CWnd& d, int channel, std::u16string_view text) {
        Field(d, channel).SetFocus();
        Field(d, channel).SetSel(0, -1);
        Type(text);
    }

protected:
    void SetUp() override {
        ControlTest::SetUp();
        m_driver = std::make_unique<ModalDriver>();
    }
    void TearDown() override {
        m_driver->DestroyWindow();
        ControlTest::TearDown();
    }
    std::optional<COLORREF> Run(COLORREF initial, std::function<void(CBuiltinColorDialog&)> script) {
        m_driver->WhenActive<CBuiltinColorDialog>(std::move(script));
        auto chosen = BuiltinDialogProvider().ChooseColor({u"", initial});
        EXPECT_TRUE(m_driver->Finished());
        return chosen;
    }

    std::unique_ptr<ModalDriver> m_driver;
};

TEST_F(BuiltinColorDialogTest, StartsOnTheInitialColourAndTakesASwatch) {
    std::u16string fields[3];
    std::u16string title;
    const auto chosen = Run(RGB(18, 52, 86), [&](CBuiltinColorDialog& d) {
        title = d.GetWindowText();
        for (int i = 0; i < 3; ++i)
            fields[i] = Field(d, i).GetWindowText();
        ClickItem(d, CBuiltinColorDialog::kFirstSwatchId + 13);
        EXPECT_EQ(Field(d, 0).GetWindowText(),
                  Format(u"%d", GetRValue(CBuiltinColorDialog::SwatchColor(13))));
        Tap(VK_RETURN);
    });
    EXPECT_EQ(title, u"Color");
    EXPECT_EQ(fields[0], u"18");
    EXPECT_EQ(fields[1], u"52");
    EXPECT_EQ(fields[2], u"86");
    EXPECT_EQ(chosen, CBuiltinColorDialog::SwatchColor(13));
}

TEST_F(BuiltinColorDialogTest, TypedChannelsTakeDigitsOnlyAndAreClamped) {
    std::u16string red;
    COLORREF shown{0};
    const auto chosen = Run(RGB(0, 0, 0), [&](CBuiltinColorDialog& d) {
        TypeChannel(d, 0, u"300");
        red = Field(d, 0).GetWindowText();
        TypeChannel(d, 1, u"1x2");
        TypeChannel(d, 2, u"7");
        shown = d.Current();
        Tap(VK_RETURN);
    });
    EXPECT_EQ(red, u"255");
    EXPECT_EQ(shown, RGB(255, 12, 7));
    EXPECT_EQ(chosen, RGB(255, 12, 7));
}

TEST_F(BuiltinColorDialogTest, EscapeCloseAndCancelLeaveNothingChosen) {
    const std::function<void(BuiltinColorDialogTest&, CBuiltinColorDialog&)> ways[] = {
        [](auto& t, auto& d) {
            t.TypeChannel(d, 0, u"99");
            t.Tap(VK_ESCAPE);
        },
        [](auto&, auto& d) { d.PostMessage(WM_CLOSE); },
        [](auto& t, auto& d) { t.ClickItem(d, IDCANCEL); },
    };
    for (const auto& way : ways)
        EXPECT_EQ(Run(RGB(1, 2, 3), [&](CBuiltinColorDialog& d) { way(*this, d); }), std::nullopt);
}

} // namespace
} // namespace window_test
