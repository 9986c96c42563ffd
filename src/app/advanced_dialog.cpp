#include "app/advanced_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "problems/grade_presets.h"
#include "problems/setting_descriptions.h"
#include "problems/setting_pairs.h"

namespace tavrimo {
namespace {

QString Q(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool IsList(const SettingDescription& d)
{
    return d.kind == SettingKind::Choice || (d.kind == SettingKind::Number && !d.offered.empty());
}

// A list's entries: a choice's items, or a number's off text and offered
// values, with the current value among them even when it is not offered.
std::vector<std::pair<int, QString>> ListEntries(const SettingDescription& d, int current)
{
    std::vector<std::pair<int, QString>> entries;
    if (d.kind == SettingKind::Choice) {
        for (std::size_t i = 0; i < d.items.size(); ++i)
            entries.emplace_back(static_cast<int>(i), Q(d.items[i].text));
        return entries;
    }
    const auto number = [&](int v) { return QString::number(v) + Q(d.unit); };
    if (d.off) entries.emplace_back(*d.off, Q(d.offText));
    for (const int v : d.offered) entries.emplace_back(v, number(v));
    if (std::none_of(entries.begin(), entries.end(), [&](const auto& e) { return e.first == current; })) {
        entries.emplace_back(current, number(current));
        std::sort(entries.begin(), entries.end());
    }
    return entries;
}

}  // namespace

AdvancedDialog::AdvancedDialog(const SettingsBoxes& current, QWidget* parent)
    : QDialog(parent), settings_(current)
{
    setObjectName(QStringLiteral("dlgAdvanced"));
    setWindowTitle(QStringLiteral("詳細設定"));
    auto* form = new QFormLayout;

    presets_ = new QComboBox(this);
    presets_->setObjectName(QStringLiteral("cmbPreset"));
    presets_->addItem(QStringLiteral("（選ぶと、画面の設定がそのとおりになります）"));
    for (const GradePreset& preset : GradePresets()) presets_->addItem(Q(preset.name));
    form->addRow(QStringLiteral("学年別のおすすめ"), presets_);
    connect(presets_, &QComboBox::activated, this, [this](int index) { ChoosePreset(index - 1); });

    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.place != SettingPlace::Dialog) continue;
        QWidget* widget = nullptr;
        if (d.kind == SettingKind::Flag) {
            widget = new QCheckBox(Q(d.label), this);
            form->addRow(widget);
        } else {
            if (IsList(d)) {
                widget = new QComboBox(this);
            } else {
                auto* edit = new QLineEdit(this);
                edit->setPlaceholderText(Q(d.offText));
                edit->setMaximumWidth(80);
                widget = edit;
            }
            auto* field = new QHBoxLayout;
            field->addWidget(widget);
            if (!IsList(d) && !d.unit.empty()) field->addWidget(new QLabel(Q(d.unit), this));
            field->addStretch();
            form->addRow(Q(d.label), field);
        }
        widget->setObjectName(Q(d.control));
        widget->setToolTip(Q(d.hint));
        rows_[d.control] = widget;
    }

    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("error"));
    error_->setTextFormat(Qt::PlainText);
    error_->setStyleSheet(QStringLiteral("color: #b00000"));
    error_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(error_);
    layout->addWidget(buttons);
    Show(settings_);
}

void AdvancedDialog::Show(const SettingsBoxes& values)
{
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.place != SettingPlace::Dialog) continue;
        const int value = values.*d.value;
        QWidget* widget = rows_.at(d.control);
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(value == 1);
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            list->clear();
            for (const auto& [v, text] : ListEntries(d, value)) list->addItem(text, v);
            list->setCurrentIndex(list->findData(value));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText(d.off && value == *d.off ? QString() : QString::number(value));
        }
    }
}

void AdvancedDialog::ChoosePreset(int index)
{
    const auto presets = GradePresets();
    if (index < 0 || static_cast<std::size_t>(index) >= presets.size() || !ReadRows()) return;
    settings_ = WithPreset(settings_, presets[static_cast<std::size_t>(index)]);
    presetChosen_ = true;
    Show(settings_);
}

bool AdvancedDialog::ReadRows()
{
    SettingsBoxes read = settings_;
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.place != SettingPlace::Dialog) continue;
        QWidget* widget = rows_.at(d.control);
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            read.*d.value = box->isChecked() ? 1 : 0;
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            read.*d.value = list->currentData().toInt();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            const std::string text = edit->text().trimmed().toStdString();
            if (text.empty() && d.off) {
                read.*d.value = *d.off;
                continue;
            }
            if (const auto refusal = RefusalOfValue(d, text, PairSource::Link)) {
                error_->setText(Q(*refusal));
                edit->setFocus();
                return false;
            }
            read.*d.value = static_cast<int>(*DecimalNumber(text));
        }
    }
    settings_ = read;
    error_->clear();
    return true;
}

void AdvancedDialog::accept()
{
    if (ReadRows()) QDialog::accept();
}

}  // namespace tavrimo
