#pragma once

#include <QDialog>

#include "gui/config/config_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace lv {

// The fixed Settings dialog of the configuration window: picture size, order, interval,
// effect speed, music, sound and transitions. It is laid out in code, not from the form
// definitions, at the same places in every saver.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit SettingsDialog(QWidget* parent = nullptr);

    void SetValues(const UserSettingValues& values);
    // The controls' values.
    UserSettingValues Values() const;

    QComboBox* cbImageSize = nullptr;
    QComboBox* cbShowImageMode = nullptr;
    QSpinBox* txtDuration = nullptr;
    QSlider* tbSpeed = nullptr;
    QLabel* lblReset = nullptr;  // clicking it sets tbSpeed to normal speed
    QCheckBox* cbMusic = nullptr;
    QCheckBox* cbSound = nullptr;
    QCheckBox* cbTransition = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace lv
