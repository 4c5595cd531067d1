// The demo's main window.
#include "platform/demo/demo_window.h"

#include "platform/core/message_queue.h"
#include "platform/text/format.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_class.h"

#include <cmath>
#include <cstdio>

namespace plat::demo {

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 320;
constexpr char16_t kClass[] = u"KavoxPlatformDemo";

// A round child painted as a disc inside its shape.
class Badge final : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(*this);
        dc->FillRect(GetClientRect(), RGB(240, 180, 20));
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(40, 20, 0));
        if (GetFont())
            dc->SelectFont(GetFont());
        Rect r = GetClientRect();
        dc->DrawText(u"K", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return 0;
    }
};

int RowHalfWidth(int radius, int dy) {
    return static_cast<int>(std::lround(std::sqrt(static_cast<double>(radius * radius - dy * dy))));
}

} // namespace

Region RoundedRect(const Rect& r, int radius) {
    std::vector<Rect> rows;
    for (int y = r.top; y < r.bottom; ++y) {
        int inset = 0;
        const int fromTop = y - r.top;
        const int fromBottom = r.bottom - 1 - y;
        const int d = std::min(fromTop, fromBottom);
        if (d < radius)
            inset = radius - RowHalfWidth(radius, radius - d);
        rows.push_back({r.left + inset, y, r.right - inset, y + 1});
    }
    return Region::FromRects(rows);
}

Region Disc(Point centre, int radius) {
    std::vector<Rect> rows;
    for (int dy = -radius; dy < radius; ++dy) {
        const int half = RowHalfWidth(radius, dy);
        rows.push_back({centre.x - half, centre.y + dy, centre.x + half, centre.y + dy + 1});
    }
    return Region::FromRects(rows);
}

bool DemoWindow::Open(Point at) {
    RegisterClass({CS_DBLCLKS, kClass, std::nullopt, CursorShape::Arrow});
    m_titleFont = Font::Create({-22, 0, FW_BOLD, false, false, FF_SWISS, u"Arial"});
    m_textFont = Font::Create({-13, 0, FW_NORMAL, false, false, FF_SWISS, u"Tahoma"});
    if (!CreateEx(WS_EX_LAYERED, kClass, u"Kavox platform demo", WS_POPUP,
                  Rect::FromSize(at.x, at.y, kWidth, kHeight), nullptr))
        return false;
    SetWindowRgn(RoundedRect({0, 0, kWidth, kHeight}, 28));
    SetLayeredWindowAttributes(kKey, 255, LWA_COLORKEY);
    AddChildren();
    ShowWindow(SW_SHOW);
    return true;
}

void DemoWindow::AddChildren() {
    struct Spec {
        const char16_t* caption;
        COLORREF face;
        Rect rect;
        UINT id;
    };
    const Spec buttons[] = {
        {u"Apply", RGB(30, 120, 200), Rect::FromSize(40, 240, 120, 40), 1001},
        {u"Profiles", RGB(60, 150, 80), Rect::FromSize(180, 240, 120, 40), 1002},
        {u"A caption far too long", RGB(170, 60, 60), Rect::FromSize(320, 240, 120, 40), 1003},
    };
    for (const Spec& spec : buttons) {
        auto button = std::make_unique<DemoButton>(spec.caption, spec.face);
        if (button->Create(u"", spec.caption, WS_CHILD | WS_VISIBLE, spec.rect, this, spec.id)) {
            button->SetFont(m_textFont, false);
            m_children.push_back(std::move(button));
        }
    }
    auto badge = std::make_unique<Badge>();
    if (badge->Create(u"", u"", WS_CHILD | WS_VISIBLE, Rect::FromSize(380, 40, 60, 60), this, 1004)) {
        badge->SetWindowRgn(Disc({30, 30}, 30));
        badge->SetFont(m_titleFont, false);
        m_children.push_back(std::move(badge));
    }
}

LRESULT DemoWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case WM_NCHITTEST:
        return HTCAPTION; // dragged by any point the children leave free
    case WM_COMMAND:
        ++m_clicks;
        std::printf("clicked %u\n", static_cast<unsigned>(LOWORD(wParam)));
        std::fflush(stdout);
        Invalidate(false);
        return 0;
    case WM_CLOSE:
        DestroyWindow();
        PostQuitMessage(0);
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void DemoWindow::Paint() {
    CPaintDC dc(*this);
    const Rect all = GetClientRect();
    for (int y = 0; y < all.Height(); y += 4) {
        const auto shade = static_cast<std::uint8_t>(30 + y * 40 / all.Height());
        dc->FillRect({0, y, all.right, y + 4}, RGB(shade, shade, static_cast<std::uint8_t>(shade + 30)));
    }
    // A see-through porthole: the colour key.
    dc->FillRect(Rect::FromSize(40, 130, 90, 60), kKey);
    dc->FrameRect(Rect::FromSize(38, 128, 94, 64), RGB(200, 200, 220), 2);

    dc->SetBkMode(TRANSPARENT);
    dc->SelectFont(m_titleFont);
    dc->SetTextColor(RGB(255, 255, 255));
    Rect title = Rect::FromSize(40, 30, 320, 32);
    dc->DrawText(u"Kavox Corvantis", title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);

    dc->SelectFont(m_textFont);
    dc->SetTextColor(RGB(200, 210, 230));
    Rect body = Rect::FromSize(150, 120, 290, 100);
    dc->DrawText(u"Shaped, colour-keyed window with owner-drawn children. Drag it by any free point; "
                 u"the buttons light up under the mouse.",
                 body, DT_LEFT | DT_WORDBREAK);
    Rect counter = Rect::FromSize(40, 70, 320, 20);
    dc->DrawText(Format(u"Clicks: %d", m_clicks), counter, DT_LEFT | DT_SINGLELINE);
}

} // namespace plat::demo
