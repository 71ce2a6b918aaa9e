#include "gui/qt/controls/thumbnail_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <filesystem>

#include "codecs/picture_file.h"
#include "common/error.h"
#include "common/qt/device_pixels.h"
#include "common/qt/qt_text.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "gui/qt/forms/form_values.h"
#include "project/image_package.h"

namespace lv {
namespace {

// GDI's Rectangle(x1, y1, x2, y2): the brush inside, a pen of `width` centred on the outline
// whose right and bottom edges lie on x2 - 1 and y2 - 1.
void DrawFrame(QPainter& painter, int x1, int y1, int x2, int y2, int width, QColor pen,
               QColor brush) {
    if (x2 <= x1 || y2 <= y1) return;
    painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), brush);
    const int before = width / 2;  // pixels of the pen outside the outline on the left and top
    const int left = x1 - before;
    const int top = y1 - before;
    const int right = x2 - 1 + (width - 1 - before);
    const int bottom = y2 - 1 + (width - 1 - before);
    const int outerWidth = right - left + 1;
    const int outerHeight = bottom - top + 1;
    painter.fillRect(QRect(left, top, outerWidth, width), pen);
    painter.fillRect(QRect(left, bottom - width + 1, outerWidth, width), pen);
    painter.fillRect(QRect(left, top, width, outerHeight), pen);
    painter.fillRect(QRect(right - width + 1, top, width, outerHeight), pen);
}

// The picture scaled to `logical` at `ratio` device pixels per logical one.
QImage ScaledThumbnail(const Bitmap32& picture, QSize logical, qreal ratio) {
    if (picture.Empty()) return {};
    const QSize device = DeviceSize(logical, ratio);
    return WithDevicePixelRatio(
        ToQImage(picture).scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), ratio);
}

}  // namespace

ThumbnailList::ThumbnailList(QWidget* parent)
    : QAbstractScrollArea(parent), color_(NamedColor("clWindow")) {
    resize(350, 250);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    colWidth_ = pictureWidth_ + 20;
    rowHeight_ = pictureHeight_ + 20;
}

QColor ThumbnailList::Mix(QColor c, QColor base, int percent) {
    auto channel = [percent](int cv, int bv) {
        const int value = 255 - ((255 - cv) * percent + (255 - bv) * 100) / 100;
        return std::clamp(value, 0, 255);
    };
    return QColor(channel(c.red(), base.red()), channel(c.green(), base.green()),
                  channel(c.blue(), base.blue()));
}

void ThumbnailList::SetPictureWidth(int width) {
    pictureWidth_ = std::max(width, 1);
    BuildThumbnails();
    Layout();
}

void ThumbnailList::SetPictureHeight(int height) {
    pictureHeight_ = std::max(height, 1);
    BuildThumbnails();
    Layout();
}

void ThumbnailList::SetShowCheckBox(bool on) {
    showCheckBox_ = on;
    Layout();
}

void ThumbnailList::SetShowTitle(bool on) {
    showTitle_ = on;
    Layout();
}

void ThumbnailList::SetMultiRows(bool on) {
    multiRows_ = on;
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    Layout();
}

void ThumbnailList::SetColCount(int count) {
    colCount_ = std::max(count, 1);
    currentCol_ = std::min(currentCol_, colCount_ - 1);
    UpdateScrollBars();
}

void ThumbnailList::SetRowCount(int count) {
    rowCount_ = std::max(count, 1);
    currentRow_ = std::min(currentRow_, rowCount_ - 1);
    UpdateScrollBars();
}

void ThumbnailList::SetColor(QColor color) {
    color_ = color;
    viewport()->update();
}

void ThumbnailList::SetFiles(const std::vector<std::string>* files) {
    files_ = files;
    if (files_ && checked_.size() < files_->size()) checked_.resize(files_->size(), false);
    Layout();
    BuildThumbnails();
    viewport()->update();
}

bool ThumbnailList::ItemChecked(int index) const {
    return index >= 0 && static_cast<size_t>(index) < checked_.size() &&
           checked_[static_cast<size_t>(index)];
}

void ThumbnailList::SetItemChecked(int index, bool checked) {
    if (index < 0) return;
    if (static_cast<size_t>(index) >= checked_.size())
        checked_.resize(static_cast<size_t>(index) + 1);
    checked_[static_cast<size_t>(index)] = checked;
    viewport()->update();
}

void ThumbnailList::Layout() {
    colWidth_ = pictureWidth_ + 20;
    rowHeight_ = pictureHeight_ + (showTitle_ ? 50 : 20);
    if (files_) {
        const int count = ItemCount();
        if (multiRows_) {
            colCount_ = std::max(width() / colWidth_, 1);
            rowCount_ = std::max((count + colCount_ - 1) / colCount_, 1);
        } else {
            colCount_ = std::max(count, 1);
            rowCount_ = 1;
        }
        currentCol_ = std::min(currentCol_, colCount_ - 1);
        currentRow_ = std::min(currentRow_, rowCount_ - 1);
    }
    UpdateScrollBars();
    viewport()->update();
}

void ThumbnailList::BuildThumbnails() {
    thumbnails_.clear();
    titles_.clear();
    if (!files_) return;
    thumbnails_.reserve(files_->size());
    titles_.reserve(files_->size());
    // Made at device pixels: the grid is laid out in logical pixels, the pictures stay sharp.
    const QSize size(pictureWidth_, pictureHeight_);
    const qreal ratio = devicePixelRatioF();
    for (const std::string& path : *files_) {
        QImage thumbnail;
        QString title;
        std::error_code error;
        // One unreadable picture must not take the whole list with it: it keeps an empty
        // place, so that every later thumbnail stays beside its own picture.
        try {
            if (std::filesystem::is_regular_file(path, error)) {
                const PictureFileKind kind = PictureFileKindOf(path);
                if (kind == PictureFileKind::ImagePackage) {
                    ImagePackage package;
                    package.LoadHeader(path);
                    thumbnail = ScaledThumbnail(package.Thumbnail, size, ratio);
                    title = Windows1252ToQString(package.PictureName);
                } else if (kind == PictureFileKind::PlainPicture) {
                    thumbnail = ScaledThumbnail(LoadPictureFile(path), size, ratio);
                    title = ToQString(std::filesystem::path(path).filename().string());
                }
            }
        } catch (const Error&) {
            thumbnail = QImage();
            title.clear();
        }
        thumbnails_.push_back(std::move(thumbnail));
        titles_.push_back(std::move(title));
    }
}

void ThumbnailList::UpdateScrollBars() {
    const int visibleRows = std::max(viewport()->height() / std::max(rowHeight_, 1), 1);
    const int visibleCols = std::max(viewport()->width() / std::max(colWidth_, 1), 1);
    verticalScrollBar()->setRange(0, std::max(rowCount_ - visibleRows, 0));
    verticalScrollBar()->setPageStep(visibleRows);
    horizontalScrollBar()->setRange(0, multiRows_ ? 0 : std::max(colCount_ - visibleCols, 0));
    horizontalScrollBar()->setPageStep(visibleCols);
}

void ThumbnailList::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Layout();
}

void ThumbnailList::scrollContentsBy(int, int) { viewport()->update(); }

QRect ThumbnailList::CellRect(int col, int row) const {
    const int left = multiRows_ ? 0 : horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value();
    return QRect((col - left) * colWidth_, (row - top) * rowHeight_, colWidth_, rowHeight_);
}

bool ThumbnailList::CellAt(QPoint point, int& col, int& row) const {
    if (point.x() < 0 || point.y() < 0) return false;
    const int left = multiRows_ ? 0 : horizontalScrollBar()->value();
    col = point.x() / colWidth_ + left;
    row = point.y() / rowHeight_ + verticalScrollBar()->value();
    return col < colCount_ && row < rowCount_;
}

bool ThumbnailList::InCheckBox(QPoint point, int col, int row) const {
    const QRect cell = CellRect(col, row);
    const int x = point.x() - cell.left();
    const int y = point.y() - cell.top();
    return x >= 13 && x <= 24 && y >= pictureHeight_ + 6 && y <= pictureHeight_ + 17;
}

int ThumbnailList::CurrentItem() const {
    int index = currentCol_ + currentRow_ * colCount_;
    if (index > ItemCount() - 1) index = ItemCount() - 1;
    return std::max(index, 0);
}

void ThumbnailList::ReportSelection() {
    // Before a list is attached there is nothing to select.
    if (files_) emit ItemSelected(CurrentItem());
}

void ThumbnailList::MoveCurrentCell(int col, int row) {
    col = std::clamp(col, 0, colCount_ - 1);
    row = std::clamp(row, 0, rowCount_ - 1);
    if (col == currentCol_ && row == currentRow_) return;
    currentCol_ = col;
    currentRow_ = row;
    // Keep the current cell in view, as a grid does.
    auto* vertical = verticalScrollBar();
    const int visibleRows = std::max(viewport()->height() / rowHeight_, 1);
    if (row < vertical->value()) vertical->setValue(row);
    if (row >= vertical->value() + visibleRows) vertical->setValue(row - visibleRows + 1);
    if (!multiRows_) {
        auto* horizontal = horizontalScrollBar();
        const int visibleCols = std::max(viewport()->width() / colWidth_, 1);
        if (col < horizontal->value()) horizontal->setValue(col);
        if (col >= horizontal->value() + visibleCols) horizontal->setValue(col - visibleCols + 1);
    }
    viewport()->update();
    ReportSelection();
}

void ThumbnailList::SetCurrentItem(int index) {
    if (index < 0) index = 0;
    MoveCurrentCell(currentCol_, index / colCount_);
    MoveCurrentCell(index % colCount_, currentRow_);
}

void ThumbnailList::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    int col = 0;
    int row = 0;
    const bool hand = showCheckBox_ && CellAt(point, col, row) && InCheckBox(point, col, row);
    viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractScrollArea::mouseMoveEvent(event);
}

void ThumbnailList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = event->position().toPoint();
    int col = 0;
    int row = 0;
    if (!CellAt(point, col, row)) return;
    const int item = row * colCount_ + col;
    if (showCheckBox_ && InCheckBox(point, col, row) && item < ItemCount())
        SetItemChecked(item, !ItemChecked(item));
    MoveCurrentCell(col, row);
}

void ThumbnailList::mouseReleaseEvent(QMouseEvent* event) {
    // The press did all the work; taking the release keeps it from the window beneath.
    event->accept();
}

void ThumbnailList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            MoveCurrentCell(currentCol_ - 1, currentRow_);
            break;
        case Qt::Key_Right:
            MoveCurrentCell(currentCol_ + 1, currentRow_);
            break;
        case Qt::Key_Up:
            MoveCurrentCell(currentCol_, currentRow_ - 1);
            break;
        case Qt::Key_Down:
            MoveCurrentCell(currentCol_, currentRow_ + 1);
            break;
        case Qt::Key_Space:
            if (showCheckBox_ && CurrentItem() < ItemCount())
                SetItemChecked(CurrentItem(), !ItemChecked(CurrentItem()));
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void ThumbnailList::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), color_);
    const int firstRow = verticalScrollBar()->value();
    const int firstCol = multiRows_ ? 0 : horizontalScrollBar()->value();
    const int lastRow = std::min(rowCount_ - 1, firstRow + viewport()->height() / rowHeight_ + 1);
    const int lastCol = std::min(colCount_ - 1, firstCol + viewport()->width() / colWidth_ + 1);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = firstCol; col <= lastCol; ++col) DrawCell(painter, col, row);
}

void ThumbnailList::DrawCell(QPainter& painter, int col, int row) const {
    const QRect cell = CellRect(col, row);
    const int left = cell.left();
    const int top = cell.top();
    painter.fillRect(cell, color_);
    const int item = col + row * colCount_;
    // The list may have grown since the thumbnails were made; those items are drawn later.
    if (item >= ItemCount() || static_cast<size_t>(item) >= thumbnails_.size()) return;
    const bool current = col == currentCol_ && row == currentRow_;
    const QColor black(0, 0, 0);
    const QColor highlightPen = Mix(HighlightColor(), color_, 100);
    if (current)
        DrawFrame(painter, left + 11, top + 11, left + pictureWidth_ + 20,
                  top + pictureHeight_ + 20, 2, highlightPen, Mix(black, color_, 10));
    else
        DrawFrame(painter, left + 10, top + 10, left + pictureWidth_ + 20,
                  top + pictureHeight_ + 20, 1, Mix(black, color_, 20), Mix(black, color_, 5));

    const QImage& thumbnail = thumbnails_[static_cast<size_t>(item)];
    if (!thumbnail.isNull())
        painter.drawImage(left + (colWidth_ - pictureWidth_ + 10) / 2, top + 15, thumbnail);

    if (showCheckBox_) {
        const QColor pen = current ? highlightPen : Mix(black, color_, 30);
        const int x = left + 13;
        const int y = top + pictureHeight_ + 6;
        DrawFrame(painter, x, y, x + 11, y + 11, 1, pen, color_);
        if (ItemChecked(item)) {
            painter.save();
            painter.setPen(QPen(pen, 2));
            painter.drawLine(x + 1, y + 4, x + 5, y + 8);
            painter.drawLine(x + 3, y + 8, x + 9, y + 2);
            painter.restore();
            painter.fillRect(x + 3, y + 8, 1, 1, color_);
            painter.fillRect(x + 5, y + 8, 1, 1, color_);
        }
        // The inner frame in the brush colour keeps the tick off the box's edge.
        painter.save();
        painter.setPen(QPen(color_, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(x + 1, y + 1, 8, 8);
        painter.restore();
    }

    if (showTitle_) {
        const QRect text(QPoint(left + 10, top + pictureHeight_ + 24), cell.bottomRight());
        painter.save();
        if (current) {
            painter.fillRect(text, HighlightColor());
            painter.setPen(HighlightTextColor());
        } else {
            painter.setPen(palette().color(QPalette::WindowText));
        }
        painter.setFont(font());
        painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         titles_[static_cast<size_t>(item)]);
        painter.restore();
    }
}

}  // namespace lv
