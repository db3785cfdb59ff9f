// The platform services the windows use, behind interfaces that tests
// replace: modal message boxes and the system clock (the clipboard, the web
// opener and the application-data folder join them with the windows that use
// them).
#pragma once

#include <string>

namespace vx {

// Window positions and sizes given in twips, 1/1440 inch, as the window's
// model gives them.
inline constexpr int TwipsPerInch = 1440;

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

// The system clock's reading in Universal Time, to the second, with the
// offset of the system's own zone at that moment (minutes ahead of UTC).
struct ClockReading {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int systemOffsetMinutes = 0;
};

class ClockService {
public:
    virtual ~ClockService() = default;
    virtual ClockReading Now() = 0;
};

// The current user's application-data folder (without a trailing
// separator); "" when there is none.
class AppDataService {
public:
    virtual ~AppDataService() = default;
    virtual std::string Folder() = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void Clear() = 0;
    virtual void SetText(const std::string& text) = 0;
};

// Opens an address with the desktop's default handler. The result follows
// the shell's convention: above 32 is success; 31 no program is associated,
// 8 out of memory, 2 file not found.
class WebOpener {
public:
    virtual ~WebOpener() = default;
    virtual int Open(const std::string& address) = 0;
};

// Asks the user where to save a file: the path chosen, or "" when the
// user cancels.
class SaveFileChooser {
public:
    virtual ~SaveFileChooser() = default;
    virtual std::string Choose(const std::string& title, const std::string& suggestedName) = 0;
};

struct Services {
    MessageService* messages = nullptr;
    ClockService* clock = nullptr;
    AppDataService* appData = nullptr;
    ClipboardService* clipboard = nullptr;
    WebOpener* web = nullptr;
    SaveFileChooser* files = nullptr;
};

}  // namespace vx
