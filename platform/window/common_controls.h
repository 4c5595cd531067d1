// Notification records, styles and codes shared by the list, header and tooltip controls,
// with the values the programs' control code is written against.
#pragma once

#include "platform/core/messages.h"
#include "platform/gfx/color.h"
#include "platform/gfx/rect.h"

namespace plat {

class Painter;

// The head of every WM_NOTIFY record: who sends it and what happened.
struct NMHDR {
    HWND hwndFrom{nullptr};
    UINT_PTR idFrom{0};
    int code{0};
};

// Notification codes.
inline constexpr int NM_CLICK = -2;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int NM_RCLICK = -5;
inline constexpr int NM_CUSTOMDRAW = -12;
inline constexpr int LVN_ITEMCHANGED = -101;
inline constexpr int LVN_COLUMNCLICK = -108;
inline constexpr int HDN_ITEMCLICK = -302;
inline constexpr int HDN_DIVIDERDBLCLICK = -305;
inline constexpr int HDN_BEGINTRACK = -306; // answer nonzero to keep the width
inline constexpr int HDN_ENDTRACK = -307;
inline constexpr int HDN_TRACK = -308;
inline constexpr int TTN_GETDISPINFO = -530;
inline constexpr int TTN_SHOW = -521;
inline constexpr int TTN_POP = -522;

// List styles (window style bits) and extended list styles.
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;
inline constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

// Column formats.
inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;
inline constexpr int LVCFMT_JUSTIFYMASK = 0x0003;

// Item states and the masks of LVN_ITEMCHANGED.
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIF_STATE = 0x0008;

// GetNextItem searches.
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;

// Rectangle kinds of GetItemRect and GetSubItemRect.
inline constexpr int LVIR_BOUNDS = 0;
inline constexpr int LVIR_ICON = 1;
inline constexpr int LVIR_LABEL = 2;

// Hit-test results.
inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMICON = 0x0002;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL;
inline constexpr UINT LVHT_ABOVE = 0x0008;
inline constexpr UINT LVHT_BELOW = 0x0010;
inline constexpr UINT LVHT_TORIGHT = 0x0020;
inline constexpr UINT LVHT_TOLEFT = 0x0040;

// Image lists of a list.
inline constexpr int LVSIL_NORMAL = 0;
inline constexpr int LVSIL_SMALL = 1;

// Custom draw: stages, item states and the answers that steer the drawing.
inline constexpr DWORD CDDS_PREPAINT = 0x00000001;
inline constexpr DWORD CDDS_POSTPAINT = 0x00000002;
inline constexpr DWORD CDDS_ITEM = 0x00010000;
inline constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
inline constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
inline constexpr DWORD CDDS_SUBITEM = 0x00020000;
inline constexpr UINT CDIS_SELECTED = 0x0001;
inline constexpr UINT CDIS_FOCUS = 0x0010;
inline constexpr LRESULT CDRF_DODEFAULT = 0x00;
inline constexpr LRESULT CDRF_NEWFONT = 0x02;
inline constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
inline constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
inline constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
inline constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;

// Scroll bars and the scroll information of GetScrollInfo.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT fMask{SIF_ALL};
    int nMin{0};
    int nMax{0};
    UINT nPage{0};
    int nPos{0};
    int nTrackPos{0};
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem{-1};
    int iSubItem{0};
    UINT uNewState{0};
    UINT uOldState{0};
    UINT uChanged{0};
    Point ptAction;
    LPARAM lParam{0};
};

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem{-1};
    int iSubItem{0};
    Point ptAction;
    LPARAM lParam{0};
    UINT uKeyFlags{0};
};

// One stage of a list's drawing. `painter` draws in the list's client coordinates; `rc`
// is the whole list (prepaint), the row or the cell. The receiver may change the colours
// before the default drawing.
struct NMLVCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage{0};
    Painter* painter{nullptr};
    Rect rc;
    UINT_PTR dwItemSpec{0};
    UINT uItemState{0};
    LPARAM lItemlParam{0};
    COLORREF clrText{0};
    COLORREF clrTextBk{0};
    int iSubItem{0};
};

struct LVHITTESTINFO {
    Point pt;
    UINT flags{0};
    int iItem{-1};
    int iSubItem{0};
};

struct NMHEADER {
    NMHDR hdr;
    int iItem{-1};
    int iButton{0};
    int cxy{0}; // the item's width, during and after a divider drag
};

} // namespace plat
