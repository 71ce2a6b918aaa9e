#include "gui/win32/controls/thumbnail_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <filesystem>

#include "codecs/picture_file.h"
#include "common/error.h"
#include "effects/surface/smooth_resize.h"
#include "gui/win32/controls/drawn_painting.h"
#include "project/image_package.h"

namespace lv {
namespace {

// Darkens `base` towards `c` by `percent` of full scale, per channel.
COLORREF Mix(COLORREF c, COLORREF base, int percent) {
    auto channel = [percent](int cc, int bb) {
        return std::clamp(255 - ((255 - cc) * percent + (255 - bb) * 100) / 100, 0, 255);
    };
    return RGB(channel(GetRValue(c), GetRValue(base)), channel(GetGValue(c), GetGValue(base)),
               channel(GetBValue(c), GetBValue(base)));
}

// GDI's Rectangle with a pen of `width` and a brush.
void DrawFrame(HDC dc, int x1, int y1, int x2, int y2, int width, COLORREF pen, COLORREF brush) {
    HPEN framePen = CreatePen(PS_SOLID, width, pen);
    HBRUSH fill = CreateSolidBrush(brush);
    HGDIOBJ oldPen = SelectObject(dc, framePen);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    Rectangle(dc, x1, y1, x2, y2);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(fill);
    DeleteObject(framePen);
}

Bitmap32 Scaled(const Bitmap32& picture, int width, int height) {
    if (picture.Empty()) return {};
    return ResizeSmooth(picture, width, height);
}

LRESULT CALLBACK ThumbnailGridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* grid = static_cast<ThumbnailGrid*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(grid));
        grid->Attach(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    ThumbnailGrid* grid = ThumbnailGridOf(window);
    if (!grid) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete grid;
            return 0;
        case WM_SIZE:
            grid->Layout();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            grid->Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetFocus(window);
            grid->Click(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            grid->Key(wParam);
            return 0;
        case WM_HSCROLL:
            grid->Scroll(SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_VSCROLL:
            grid->Scroll(SB_VERT, LOWORD(wParam));
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void ThumbnailGrid::SetFiles(const std::vector<std::string>& files) {
    thumbnails_.clear();
    titles_.clear();
    thumbnails_.reserve(files.size());
    titles_.reserve(files.size());
    checked_.resize(files.size(), false);
    for (const std::string& path : files) {
        Bitmap32 thumbnail;
        std::string title;
        std::error_code error;
        // One unreadable picture must not take the whole list with it.
        try {
            if (std::filesystem::is_regular_file(path, error)) {
                const PictureFileKind kind = PictureFileKindOf(path);
                if (kind == PictureFileKind::ImagePackage) {
                    ImagePackage package;
                    package.LoadHeader(path);
                    thumbnail = Scaled(package.Thumbnail, PictureWidth, PictureHeight);
                    title = package.PictureName;
                } else if (kind == PictureFileKind::PlainPicture) {
                    thumbnail = Scaled(LoadPictureFile(path), PictureWidth, PictureHeight);
                    title = std::filesystem::path(path).filename().string();
                }
            }
        } catch (const Error&) {
            thumbnail.Clear();
            title.clear();
        }
        thumbnails_.push_back(std::move(thumbnail));
        titles_.push_back(std::move(title));
    }
    current_ = std::clamp(current_, 0, std::max(ItemCount() - 1, 0));
    Layout();
}

bool ThumbnailGrid::ItemChecked(int item) const {
    return item >= 0 && static_cast<size_t>(item) < checked_.size() &&
           checked_[static_cast<size_t>(item)];
}

void ThumbnailGrid::SetItemChecked(int item, bool checked) {
    if (item < 0) return;
    if (static_cast<size_t>(item) >= checked_.size()) checked_.resize(item + 1, false);
    checked_[static_cast<size_t>(item)] = checked;
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

int ThumbnailGrid::Columns() const {
    if (!MultiRows) return std::max(ItemCount(), 1);
    RECT area{};
    if (window_) GetClientRect(window_, &area);
    return std::max(static_cast<int>(area.right) / CellWidth(), 1);
}

int ThumbnailGrid::VisibleLines() const {
    RECT area{};
    if (window_) GetClientRect(window_, &area);
    const int extent = static_cast<int>(MultiRows ? area.bottom : area.right);
    return std::max(extent / (MultiRows ? CellHeight() : CellWidth()), 1);
}

RECT ThumbnailGrid::CellRect(int item) const {
    const int columns = Columns();
    int col = item % columns;
    int row = item / columns;
    if (MultiRows)
        row -= firstLine_;
    else
        col -= firstLine_;
    const int left = col * CellWidth();
    const int top = row * CellHeight();
    return RECT{left, top, left + CellWidth(), top + CellHeight()};
}

int ThumbnailGrid::ItemAt(POINT point) const {
    if (point.x < 0 || point.y < 0) return -1;
    const int columns = Columns();
    int col = point.x / CellWidth();
    int row = point.y / CellHeight();
    if (MultiRows) {
        if (col >= columns) return -1;
        row += firstLine_;
    } else {
        if (row > 0) return -1;
        col += firstLine_;
    }
    const int item = row * columns + col;
    return item < ItemCount() ? item : -1;
}

bool ThumbnailGrid::InCheckBox(POINT point, int item) const {
    const RECT cell = CellRect(item);
    const int x = point.x - cell.left;
    const int y = point.y - cell.top;
    return x >= 13 && x <= 24 && y >= PictureHeight + 6 && y <= PictureHeight + 17;
}

void ThumbnailGrid::SetCurrentItem(int item) {
    item = std::clamp(item, 0, std::max(ItemCount() - 1, 0));
    const bool changed = item != current_;
    current_ = item;
    KeepInView(item);
    if (window_) InvalidateRect(window_, nullptr, FALSE);
    if (ItemCount() > 0 && ItemSelected && changed) ItemSelected(item);
}

void ThumbnailGrid::KeepInView(int item) {
    if (!window_ || ItemCount() == 0) return;
    const int columns = Columns();
    const int line = MultiRows ? item / columns : item;
    const int visible = VisibleLines();
    if (line < firstLine_) firstLine_ = line;
    if (line >= firstLine_ + visible) firstLine_ = line - visible + 1;
    UpdateScrollBar();
}

void ThumbnailGrid::Layout() {
    UpdateScrollBar();
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void ThumbnailGrid::UpdateScrollBar() {
    if (!window_) return;
    const int columns = Columns();
    const int lines = MultiRows ? (ItemCount() + columns - 1) / columns : ItemCount();
    const int visible = VisibleLines();
    firstLine_ = std::clamp(firstLine_, 0, std::max(lines - visible, 0));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(lines - 1, 0);
    info.nPage = static_cast<UINT>(visible);
    info.nPos = firstLine_;
    SetScrollInfo(window_, MultiRows ? SB_VERT : SB_HORZ, &info, TRUE);
    ShowScrollBar(window_, MultiRows ? SB_HORZ : SB_VERT, FALSE);
}

void ThumbnailGrid::Scroll(int bar, WORD request) {
    if ((bar == SB_VERT) != MultiRows) return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    int position = info.nPos;
    switch (request) {
        case SB_LINEUP:
            --position;
            break;
        case SB_LINEDOWN:
            ++position;
            break;
        case SB_PAGEUP:
            position -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        default:
            return;
    }
    firstLine_ = position;
    UpdateScrollBar();
    InvalidateRect(window_, nullptr, FALSE);
}

void ThumbnailGrid::Click(POINT point) {
    const int item = ItemAt(point);
    if (item < 0) return;
    if (ShowCheckBox && InCheckBox(point, item)) SetItemChecked(item, !ItemChecked(item));
    SetCurrentItem(item);
}

void ThumbnailGrid::Key(WPARAM key) {
    const int columns = MultiRows ? Columns() : 1;
    switch (key) {
        case VK_LEFT:
            return SetCurrentItem(current_ - 1);
        case VK_RIGHT:
            return SetCurrentItem(current_ + 1);
        case VK_UP:
            return SetCurrentItem(current_ - columns);
        case VK_DOWN:
            return SetCurrentItem(current_ + columns);
        case VK_SPACE:
            if (ShowCheckBox && current_ < ItemCount())
                SetItemChecked(current_, !ItemChecked(current_));
            return;
        default:
            return;
    }
}

void ThumbnailGrid::Paint(HDC target) const {
    RECT area;
    GetClientRect(window_, &area);
    HDC dc = CreateCompatibleDC(target);
    HBITMAP canvas = CreateCompatibleBitmap(target, area.right, area.bottom);
    HGDIOBJ old = SelectObject(dc, canvas);
    HBRUSH background = CreateSolidBrush(Color);
    FillRect(dc, &area, background);
    DeleteObject(background);
    for (int item = 0; item < ItemCount(); ++item) {
        const RECT cell = CellRect(item);
        RECT seen;
        if (IntersectRect(&seen, &cell, &area)) DrawCell(dc, item);
    }
    BitBlt(target, 0, 0, area.right, area.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
}

void ThumbnailGrid::DrawCell(HDC dc, int item) const {
    const RECT cell = CellRect(item);
    const int left = cell.left;
    const int top = cell.top;
    const bool current = item == current_;
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF highlight = Mix(GetSysColor(COLOR_HIGHLIGHT), Color, 100);
    if (current)
        DrawFrame(dc, left + 11, top + 11, left + PictureWidth + 20, top + PictureHeight + 20, 2,
                  highlight, Mix(black, Color, 10));
    else
        DrawFrame(dc, left + 10, top + 10, left + PictureWidth + 20, top + PictureHeight + 20, 1,
                  Mix(black, Color, 20), Mix(black, Color, 5));

    const Bitmap32& thumbnail = thumbnails_[static_cast<size_t>(item)];
    const int pictureLeft = left + (CellWidth() - PictureWidth + 10) / 2;
    DrawBitmap32(dc, thumbnail,
                 RECT{pictureLeft, top + 15, pictureLeft + thumbnail.Width(),
                      top + 15 + thumbnail.Height()});

    if (ShowCheckBox) {
        const COLORREF pen = current ? highlight : Mix(black, Color, 30);
        const int x = left + 13;
        const int y = top + PictureHeight + 6;
        DrawFrame(dc, x, y, x + 11, y + 11, 1, pen, Color);
        if (ItemChecked(item)) {
            HPEN tick = CreatePen(PS_SOLID, 2, pen);
            HGDIOBJ oldPen = SelectObject(dc, tick);
            MoveToEx(dc, x + 2, y + 4, nullptr);
            LineTo(dc, x + 5, y + 7);
            LineTo(dc, x + 9, y + 2);
            SelectObject(dc, oldPen);
            DeleteObject(tick);
        }
    }

    if (ShowTitle) {
        RECT text{left + 10, top + PictureHeight + 24, cell.right, cell.bottom};
        if (current) {
            HBRUSH fill = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
            FillRect(dc, &text, fill);
            DeleteObject(fill);
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, current ? GetSysColor(COLOR_HIGHLIGHTTEXT) : TextColor);
        HGDIOBJ oldFont = Font ? SelectObject(dc, Font) : nullptr;
        const std::string& title = titles_[static_cast<size_t>(item)];
        DrawTextA(dc, title.c_str(), static_cast<int>(title.size()), &text,
                  DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        if (oldFont) SelectObject(dc, oldFont);
    }
}

HWND CreateThumbnailGrid(HWND parent, int id, ThumbnailGrid* grid) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        windowClass.lpfnWndProc = ThumbnailGridProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = ThumbnailGridClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, ThumbnailGridClassName, "",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL, 0,
                                  0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), grid);
    if (!window) delete grid;
    return window;
}

ThumbnailGrid* ThumbnailGridOf(HWND window) {
    char name[32] = {};
    if (!window || !GetClassNameA(window, name, sizeof(name)) ||
        lstrcmpA(name, ThumbnailGridClassName) != 0)
        return nullptr;
    return reinterpret_cast<ThumbnailGrid*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace lv
