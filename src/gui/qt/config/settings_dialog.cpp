#include "gui/qt/config/settings_dialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>

#include "common/rounding.h"

namespace lv {

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QComboBox* AddDropDown(QWidget* parent, const char* name, const QStringList& items, int left,
                       int top, int width, int height) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setEditable(false);
    box->setGeometry(left, top, width, height);
    return box;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QString& text, int left, int top,
                       int width, int height) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(left, top, width, height);
    return box;
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmSettingWindow"));
    setWindowTitle(QStringLiteral("Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(375, 188);
    // The places are fixed in pixels for a small 8-point face; the platform's larger default
    // would not fit the labels and check boxes into them.
    QFont face = font();
    face.setPixelSize(11);
    face.setStretch(QFont::SemiCondensed);
    setFont(face);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 8, 361, 144);

    AddLabel(this, QStringLiteral("Image Size"), 32, 23);
    cbImageSize = AddDropDown(this, "cbImageSize",
                              {QStringLiteral("Original Size"), QStringLiteral("Stretch-Full"),
                               QStringLiteral("Stretch-Proportional")},
                              144, 20, 153, 21);
    AddLabel(this, QStringLiteral("Show Image"), 32, 49);
    cbShowImageMode = AddDropDown(
        this, "cbShowImageMode",
        {QStringLiteral("All images - Random"), QStringLiteral("All images - Sequential"),
         QStringLiteral("User's favorite (checked images) - Random"),
         QStringLiteral("Single - Selected Image")},
        144, 45, 153, 21);
    // The longest choice is wider than the box; let the open list show it whole.
    cbShowImageMode->view()->setMinimumWidth(cbShowImageMode->view()->sizeHintForColumn(0) + 8);

    AddLabel(this, QStringLiteral("Image Interval (sec)"), 32, 73);
    txtDuration = new QSpinBox(this);
    txtDuration->setObjectName(QStringLiteral("txtDuration"));
    txtDuration->setRange(MinimumDuration, MaximumDuration);
    txtDuration->setGeometry(144, 70, 49, 22);

    AddLabel(this, QStringLiteral("Animation Speed"), 32, 98);
    tbSpeed = new QSlider(Qt::Horizontal, this);
    tbSpeed->setObjectName(QStringLiteral("tbSpeed"));
    tbSpeed->setRange(0, static_cast<int>(SpeedTable.size()) - 1);
    tbSpeed->setSingleStep(1);
    tbSpeed->setPageStep(1);
    tbSpeed->setTickPosition(QSlider::NoTicks);
    tbSpeed->setGeometry(138, 96, 161, 20);

    lblReset = AddLabel(this, QStringLiteral("Reset"), 301, 97);
    lblReset->setObjectName(QStringLiteral("lblReset"));
    lblReset->setCursor(Qt::PointingHandCursor);
    lblReset->installEventFilter(this);

    cbMusic = AddCheckBox(this, "cbMusic", QStringLiteral("Enable Music"), 32, 124, 93, 17);
    cbSound = AddCheckBox(this, "cbSound", QStringLiteral("Enable Sound"), 144, 124, 93, 17);
    cbTransition =
        AddCheckBox(this, "cbTransition", QStringLiteral("Transition Effect"), 251, 124, 106, 17);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(216, 156, 75, 25);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(293, 156, 75, 25);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblReset && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        tbSpeed->setValue(NormalSpeedIndex);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SettingsDialog::SetValues(const UserSettingValues& values) {
    cbImageSize->setCurrentIndex(values.ImageSize);
    cbShowImageMode->setCurrentIndex(values.ImageMode);
    tbSpeed->setValue(values.SpeedIndex);
    cbSound->setChecked(values.Sound);
    cbMusic->setChecked(values.Music);
    cbTransition->setChecked(values.Transition);
    txtDuration->setValue(values.Duration);
}

UserSettingValues SettingsDialog::Values() const {
    UserSettingValues values;
    values.ImageSize = std::max(cbImageSize->currentIndex(), 0);
    values.ImageMode = std::max(cbShowImageMode->currentIndex(), 0);
    values.SpeedIndex = tbSpeed->value();
    values.Sound = cbSound->isChecked();
    values.Music = cbMusic->isChecked();
    values.Transition = cbTransition->isChecked();
    values.Duration = txtDuration->value();
    return values;
}

}  // namespace lv
