// The component page's list: items of markup text of varying height, each
// with an optional check box, in a vertically scrolling window of its own.
// Clicks, arrow keys, the space bar and the wheel work the list; the parent
// hears of them through WM_NOTIFY with an HTMLLIST_NOTIFY record.
#pragma once

#include <windows.h>

#include <string>

#include "SkinImageIds.h"
#include "controls/HtmlListModel.h"
#include "framework/BufferedPaintWindow.h"
#include "framework/GdiHandles.h"

using Controls::HTMLLIST_ITEM;

// Notification codes of HTMLLIST_NOTIFY.
constexpr UINT HTMLLIST_SELCHANGED = 1;
constexpr UINT HTMLLIST_LBUTTONDOWN = 2;
constexpr UINT HTMLLIST_RBUTTONDOWN = 3;
constexpr UINT HTMLLIST_LBUTTONDBLCLK = 4;
constexpr UINT HTMLLIST_ITEMCHECKED = 5;

struct HTMLLIST_NOTIFY {
    NMHDR header;
    int item = -1;          // the item concerned, -1 for none
    std::u16string text;    // its text
    int userValue = 0;
    BOOL checked = FALSE;
};

// Questions other programs (the test driver) may ask; the answers are plain
// numbers, so they work across processes.
constexpr UINT HTMLLIST_GETCOUNT = WM_USER + 200;      // number of items
constexpr UINT HTMLLIST_GETUSERVALUE = WM_USER + 201;  // wParam id: user value
constexpr UINT HTMLLIST_GETCHECK = WM_USER + 202;      // wParam id: 1 when ticked
constexpr UINT HTMLLIST_GETITEMTOP = WM_USER + 203;    // wParam id: top at the last paint, client pixels
constexpr UINT HTMLLIST_GETITEMHEIGHT = WM_USER + 204; // wParam id: height

class CHTMLListCtrl : public Framework::BufferedPaintWindow {
public:
    static constexpr UINT kControlId = 100001;
    static constexpr wchar_t kClassName[] = L"CHTMLListCtrl";
    static constexpr int kCheckedBitmap = IDB_LIST_CHECK_ON;
    static constexpr int kUncheckedBitmap = IDB_LIST_CHECK_OFF;

    CHTMLListCtrl();

    // A visible child of `parent` filling `rect`. False when it cannot be made.
    bool Create(const RECT& rect, HWND parent);
    void SetCheckBoxes();
    // Appends an item; a height of 0 measures it. Returns its id.
    int InsertItem(const std::u16string& text, int type = Controls::HtmlItemType::kMarkup, int height = 0);
    // The owner may change checked and user value, then InvalidateItem.
    HTMLLIST_ITEM* FindItem(int id) { return model_.Find(id); }
    void InvalidateItem(int id);
    void DeleteAllItems();
    // The character set of the list font ("Tahoma" has no Japanese: with the
    // script's set the font mapper picks a face that has the glyphs).
    // Items inserted afterwards are measured in the new font.
    void SetFontCharSet(BYTE charSet);

    const std::list<HTMLLIST_ITEM>& Items() const { return model_.Items(); }
    int ItemCount() const { return model_.Count(); }
    int Selected() const { return selected_; }
    int TotalHeight() const { return model_.TotalHeight(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int MeasureText(const HTMLLIST_ITEM& item, int width);
    void ResetScrollBar(bool toTop);
    int ScrollPosition() const;
    void ScrollTo(int position, bool redrawBar = true);
    void Notify(UINT code, const HTMLLIST_ITEM* item);

    bool DoPaint(HDC dc, const RECT& clip) override;
    void DrawItem(HDC dc, HTMLLIST_ITEM& item, bool selected, const RECT& clip);
    void DrawItemText(HDC dc, const HTMLLIST_ITEM& item, RECT area);
    LRESULT OnLeftButtonDown(POINT at);
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnMouseWheel(short delta);
    LRESULT OnVerticalScroll(WORD request, WORD position);
    LRESULT OnFocus(bool gained);
    LRESULT OnSize(int width, int height);
    LRESULT OnQuestion(UINT message, WPARAM id) const;
    void SelectAndShow(int id);

    Controls::HtmlListModel model_;
    int width_ = 0;
    int height_ = 0;
    Framework::UniqueFont font_;
    COLORREF selectionColour_ = RGB(49, 106, 197);
    int selected_ = -1;
    bool hasFocus_ = false;
    Framework::UniqueBitmap checked_;
    Framework::UniqueBitmap unchecked_;
};
