#pragma once

#include <QWidget>

#include "gui/qt/forms/form_values.h"

namespace lv {

// Components aligned to a side of their parent (Align = alTop ...) keep that place whenever
// the parent changes size. The parent's free area is handed out in this order: top, bottom,
// left, right, then the client area; within one side in creation order. Hidden components
// take no room.
void SetAlign(QWidget* widget, AlignMode mode);
AlignMode AlignOf(const QWidget* widget);

// Places the aligned children of `parent` and of every widget below it.
void ArrangeAligned(QWidget* parent);

}  // namespace lv
