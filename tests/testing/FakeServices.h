// Test doubles for the platform services: message boxes are recorded and
// answered at once, the clock reads what the test sets.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Services.h"

namespace vxtest {

struct ShownMessage {
    std::string title, text;
    vx::MessageIcon icon;
    vx::MessageButtons buttons;
};

class RecordingMessages : public vx::MessageService {
public:
    std::vector<ShownMessage> shown;
    vx::MessageResult answer = vx::MessageResult::Ok;
    std::vector<vx::MessageResult> answers;  // taken first, in order
    vx::MessageResult Show(const std::string& title, const std::string& text, vx::MessageIcon icon,
                           vx::MessageButtons buttons) override {
        shown.push_back({title, text, icon, buttons});
        if (!answers.empty()) {
            const vx::MessageResult a = answers.front();
            answers.erase(answers.begin());
            return a;
        }
        return answer;
    }
};

class FixedClock : public vx::ClockService {
public:
    vx::ClockReading now{2003, 12, 31, 15, 55, 0};
    vx::ClockReading Now() override { return now; }
};

// A fresh application-data folder for each test.
class TemporaryAppData : public vx::AppDataService {
public:
    TemporaryAppData() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vexaril-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
    }
    ~TemporaryAppData() override {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    TemporaryAppData(const TemporaryAppData&) = delete;
    TemporaryAppData& operator=(const TemporaryAppData&) = delete;
    std::string Folder() override { return folder_; }

private:
    std::string folder_;
};

// Answers the save dialog with a path set beforehand ("" cancels).
class ChosenFile : public vx::SaveFileChooser {
public:
    std::string path;
    int asked = 0;
    std::string Choose(const std::string&, const std::string&) override {
        ++asked;
        return path;
    }
};

class RecordingClipboard : public vx::ClipboardService {
public:
    std::string text;
    int clears = 0;
    void Clear() override {
        ++clears;
        text.clear();
    }
    void SetText(const std::string& t) override { text = t; }
};

class RecordingWeb : public vx::WebOpener {
public:
    std::vector<std::string> opened;
    int result = 42;
    int Open(const std::string& address) override {
        opened.push_back(address);
        return result;
    }
};

}  // namespace vxtest
