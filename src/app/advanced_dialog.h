#pragma once

#include <QDialog>
#include <map>
#include <string_view>

#include "problems/settings_boxes.h"

class QComboBox;
class QLabel;

namespace tavrimo {

struct SettingDescription;

// 詳細設定: the settings beyond the window, one row each, made from the
// settings' descriptions (a check box for a flag, a list for a choice or a
// number offered in steps, a box for any other number), and the grade
// presets, which fill the window's settings too. OK takes the rows (a typed
// number out of range is refused with its message and the dialog stays);
// キャンセル changes nothing.
class AdvancedDialog final : public QDialog {
    Q_OBJECT
public:
    AdvancedDialog(const SettingsBoxes& current, QWidget* parent = nullptr);

    // Every setting as OK left them; the window's own change only when a
    // preset was chosen.
    const SettingsBoxes& settings() const { return settings_; }
    bool presetChosen() const { return presetChosen_; }

    void accept() override;

private:
    void Show(const SettingsBoxes& values);
    void ChoosePreset(int index);
    // Reads the rows into settings_; false, with the message shown, when a
    // typed number is refused.
    bool ReadRows();

    SettingsBoxes settings_;
    bool presetChosen_ = false;
    QComboBox* presets_ = nullptr;
    QLabel* error_ = nullptr;
    std::map<std::string_view, QWidget*> rows_;  // by control name
};

}  // namespace tavrimo
