#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/bitmap32.h"

namespace lv {

// The project's pictures as a grid of thumbnails (TLVThumbnail2), each in a cell of
// PictureWidth + 20 by PictureHeight + 20 pixels (+ 30 more with titles), optionally with a
// title and a check box under it. With MultiRows the items wrap into as many columns as fit and
// the grid scrolls vertically; without, they stand in one row that scrolls horizontally.
//
// Item i always has thumbnail i and title i: a picture that cannot be read keeps an empty
// thumbnail in its place, so the indexes the configuration window uses stay right.
class ThumbnailGrid {
public:
    int PictureWidth = 80;
    int PictureHeight = 60;
    bool ShowCheckBox = false;
    bool ShowTitle = false;
    bool MultiRows = true;
    COLORREF Color = GetSysColor(COLOR_WINDOW);
    COLORREF TextColor = GetSysColor(COLOR_WINDOWTEXT);
    HFONT Font = nullptr;  // owned by the form window
    // Called when an item becomes current (a click, a key, SetCurrentItem).
    std::function<void(int item)> ItemSelected;

    // Makes the thumbnails (an image package's stored one and title, or a plain picture scaled
    // down with its file name as title) and lays the grid out.
    void SetFiles(const std::vector<std::string>& files);
    int ItemCount() const { return static_cast<int>(thumbnails_.size()); }
    const std::string& Title(int item) const { return titles_.at(static_cast<size_t>(item)); }

    bool ItemChecked(int item) const;
    void SetItemChecked(int item, bool checked);

    int CurrentItem() const { return current_; }
    void SetCurrentItem(int item);

    // The cell's rectangle in client coordinates, scrolling applied.
    RECT CellRect(int item) const;
    // The item under a client point; -1 for none.
    int ItemAt(POINT point) const;
    bool InCheckBox(POINT point, int item) const;

    // The window procedure's work.
    void Attach(HWND window) { window_ = window; }
    void Layout();
    void Paint(HDC dc) const;
    void Click(POINT point);
    void Key(WPARAM key);
    void Scroll(int bar, WORD request);

private:
    int CellWidth() const { return PictureWidth + 20; }
    int CellHeight() const { return PictureHeight + (ShowTitle ? 50 : 20); }
    int Columns() const;
    int VisibleLines() const;  // rows (MultiRows) or columns that fit
    void DrawCell(HDC dc, int item) const;
    void KeepInView(int item);
    void UpdateScrollBar();

    HWND window_ = nullptr;
    std::vector<Bitmap32> thumbnails_;
    std::vector<std::string> titles_;
    std::vector<bool> checked_;
    int current_ = 0;
    int firstLine_ = 0;  // the first row (MultiRows) or column in view
};

inline constexpr const char* ThumbnailGridClassName = "LvThumbnailGrid";

// Makes the grid window; the window owns `grid` and frees it when destroyed.
HWND CreateThumbnailGrid(HWND parent, int id, ThumbnailGrid* grid);

// The grid of a window made by CreateThumbnailGrid; nullptr for any other window.
ThumbnailGrid* ThumbnailGridOf(HWND window);

}  // namespace lv
