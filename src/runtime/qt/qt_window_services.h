#pragma once

#include <QString>
#include <string_view>

#include "runtime/window_services.h"

namespace tavrimo {

// Qt's own texts (the print dialog, the buttons of the message boxes) in
// Japanese whatever the locale, as the window's are; false when the
// translation is not installed.
bool InstallJapaneseQtTexts();

// The window services on Qt: QMessageBox boxes and QApplication::beep().
class QtWindowServices final : public WindowServices {
public:
    // title: the caption of the error report.
    explicit QtWindowServices(QString title);

    void ReportError(std::string_view message) override;
    void ShowWarning(std::string_view caption, std::string_view text) override;
    void Beep() override;

private:
    QString title_;
};

}  // namespace tavrimo
