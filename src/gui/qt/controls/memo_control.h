#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace lv {

// A multi-line text box whose whole content is one property, Text: lines joined by line
// breaks, so a definition can set it as one string with #13#10 between the lines.
class MemoControl : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoControl(QWidget* parent) : QPlainTextEdit(parent) {}

    // CR LF, a lone CR and a lone LF each end a line.
    void SetText(const QString& text) {
        QString normalized = text;
        normalized.replace("\r\n", "\n").replace('\r', '\n');
        setPlainText(normalized);
    }
    QString Text() const { return toPlainText().replace('\n', "\r\n"); }
};

}  // namespace lv
