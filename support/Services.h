// The platform services the windows use, behind interfaces that tests
// replace: modal message boxes and the system clock (the clipboard, the web
// opener and the application-data folder join them with the windows that use
// them).
#pragma once

#include <string>

namespace vx {

enum class MessageIcon { Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows a modal box and returns the button pressed.
    virtual MessageResult Show(const std::string& title, const std::string& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

// The local date and time to the second, as the system clock reads it.
struct LocalDateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class ClockService {
public:
    virtual ~ClockService() = default;
    virtual LocalDateTime Now() = 0;
};

// The current user's application-data folder (without a trailing
// separator); "" when there is none.
class AppDataService {
public:
    virtual ~AppDataService() = default;
    virtual std::string Folder() = 0;
};

struct Services {
    MessageService* messages = nullptr;
    ClockService* clock = nullptr;
    AppDataService* appData = nullptr;
};

}  // namespace vx
