// The real platform services, on Qt.
#pragma once

#include "Services.h"

class QWidget;

namespace vx {

class QtMessageService : public MessageService {
public:
    explicit QtMessageService(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    MessageResult Show(const std::string& title, const std::string& text, MessageIcon icon,
                       MessageButtons buttons) override;

private:
    QWidget* parent_;
};

class StandardAppData : public AppDataService {
public:
    std::string Folder() override;
};

class SystemClipboard : public ClipboardService {
public:
    void Clear() override;
    void SetText(const std::string& text) override;
};

class DesktopWebOpener : public WebOpener {
public:
    int Open(const std::string& address) override;
};

class SystemClock : public ClockService {
public:
    ClockReading Now() override;
};

}  // namespace vx
