#pragma once

#include <string_view>

namespace tavrimo {

// The modal boxes and the sound the window's commands use. Each box returns
// when the user has closed it.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // The general error report: stop icon, one OK button, captioned with the
    // application title. The message is shown as given.
    virtual void ReportError(std::string_view message) = 0;
    // A modal warning with the exclamation icon and one OK button.
    virtual void ShowWarning(std::string_view caption, std::string_view text) = 0;
    // The system's alert sound.
    virtual void Beep() = 0;
};

}  // namespace tavrimo
