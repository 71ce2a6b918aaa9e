#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

namespace lv {

// The project's pictures as a grid of thumbnails, each in a cell of PictureWidth + 20 by
// PictureHeight + 20 pixels (+ 50 with titles), optionally with a title and a check box under
// it. With MultiRows the items wrap into as many columns as fit the control's width and the
// view scrolls vertically only; without, they stand in one row that scrolls horizontally.
//
// Item i always has thumbnail i and title i: a picture that is missing or cannot be read keeps
// an empty thumbnail in its place, so the indexes the configuration window uses stay right.
class ThumbnailList : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ThumbnailList(QWidget* parent = nullptr);

    int PictureWidth() const { return pictureWidth_; }
    int PictureHeight() const { return pictureHeight_; }
    bool ShowCheckBox() const { return showCheckBox_; }
    bool ShowTitle() const { return showTitle_; }
    bool MultiRows() const { return multiRows_; }
    void SetPictureWidth(int width);
    void SetPictureHeight(int height);
    void SetShowCheckBox(bool on);
    void SetShowTitle(bool on);
    void SetMultiRows(bool on);

    // The grid's own figures; a definition may set the counts, which the layout replaces as
    // soon as a list is attached.
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    int ColWidth() const { return colWidth_; }
    int RowHeight() const { return rowHeight_; }
    void SetColCount(int count);
    void SetRowCount(int count);

    void SetColor(QColor color);
    QColor Color() const { return color_; }

    // Attaches the picture paths (not owned; nullptr detaches), lays the grid out and makes
    // the thumbnails: an image package's stored thumbnail and title, or a .jpg, .bmp or .gif
    // picture scaled to the thumbnail size with its file name as title. The thumbnail size is
    // logical; the pictures are made at the control's device pixel ratio and carry it.
    void SetFiles(const std::vector<std::string>* files);
    int ItemCount() const { return files_ ? static_cast<int>(files_->size()) : 0; }
    const QImage& Thumbnail(int index) const { return thumbnails_.at(static_cast<size_t>(index)); }
    const QString& Title(int index) const { return titles_.at(static_cast<size_t>(index)); }

    bool ItemChecked(int index) const;
    void SetItemChecked(int index, bool checked);

    // The item of the current cell (lowered to the last item, never below 0).
    int CurrentItem() const;
    // Makes item i's cell current: the row first, then the column; each move that changes the
    // current cell reports the selection.
    void SetCurrentItem(int index);
    int CurrentCol() const { return currentCol_; }
    int CurrentRow() const { return currentRow_; }

    // A cell's rectangle in the viewport's coordinates (the view's scrolling applied).
    QRect CellRect(int col, int row) const;

    // Darkens (or tints) `base` towards `c` by p per cent of full scale, per channel:
    // 255 - ((255 - C) * p + (255 - B) * 100) div 100, clamped to 0 .. 255.
    static QColor Mix(QColor c, QColor base, int percent);

signals:
    // An item became the current one (a click, a key, SetCurrentItem).
    void ItemSelected(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Layout();
    void BuildThumbnails();
    void UpdateScrollBars();
    void MoveCurrentCell(int col, int row);
    void ReportSelection();
    bool CellAt(QPoint viewportPoint, int& col, int& row) const;
    bool InCheckBox(QPoint viewportPoint, int col, int row) const;
    void DrawCell(class QPainter& painter, int col, int row) const;

    int pictureWidth_ = 80;
    int pictureHeight_ = 60;
    bool showCheckBox_ = false;
    bool showTitle_ = false;
    bool multiRows_ = true;
    int colCount_ = 1;
    int rowCount_ = 1;
    int colWidth_ = 100;
    int rowHeight_ = 80;
    int currentCol_ = 0;
    int currentRow_ = 0;
    QColor color_;
    const std::vector<std::string>* files_ = nullptr;
    std::vector<QImage> thumbnails_;
    std::vector<QString> titles_;
    std::vector<bool> checked_;
};

}  // namespace lv
