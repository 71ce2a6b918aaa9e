#pragma once

#include <QString>
#include <QWidget>

namespace lv {

enum class BevelCut { None, Lowered, Raised, Space };

// A rectangular container: background colour, an outer and an inner bevel and a caption
// centred vertically.
class PanelControl : public QWidget {
    Q_OBJECT
public:
    explicit PanelControl(QWidget* parent);

    BevelCut BevelOuter = BevelCut::Raised;
    BevelCut BevelInner = BevelCut::None;
    int BevelWidth = 1;
    int BorderWidth = 0;
    Qt::Alignment CaptionAlignment = Qt::AlignHCenter;

    void SetCaption(const QString& caption);
    const QString& Caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

}  // namespace lv
