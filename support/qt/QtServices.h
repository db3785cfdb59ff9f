// The real platform services, on Qt.
#pragma once

#include <QString>
#include <memory>

#include "Services.h"

class QLockFile;
class QMessageBox;
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

// Room a title bar takes beside its title: the window's icon, its buttons
// and margins.
inline constexpr int MessageTitleAllowance = 150;

// Sets up a message box as QtMessageService shows it.
void PrepareMessageBox(QMessageBox& box, const std::string& title, const std::string& text, MessageIcon icon,
                       MessageButtons buttons);

// Which of the program's windows running at once this one is: the lowest
// free slot (0, 1, ...) of lock files in folder, held while this lives; -1
// when none could be taken.
class InstanceSlot {
public:
    explicit InstanceSlot(const QString& folder);
    ~InstanceSlot();
    InstanceSlot(const InstanceSlot&) = delete;
    InstanceSlot& operator=(const InstanceSlot&) = delete;
    int Index() const { return index_; }

private:
    int index_ = -1;
    std::unique_ptr<QLockFile> lock_;
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

// The desktop's save dialog.
class SaveFileDialog : public SaveFileChooser {
public:
    std::string Choose(const std::string& title, const std::string& suggestedName) override;
};

class SystemClock : public ClockService {
public:
    ClockReading Now() override;
};

}  // namespace vx
