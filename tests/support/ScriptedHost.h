// A Host for tests: records everything the engine shows and answers file choices and message
// boxes from queues (empty queue: cancel for file choices, Yes/OK for message boxes).
#pragma once

#include "app/Host.h"

#include <array>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace zelta::testing {

struct ShownMessage {
    std::string text;
    MsgDlgType type;
    unsigned buttons;
};

class ScriptedHost : public Host {
public:
    ModalResult messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) override;
    std::optional<std::string> openFileDialog(const FileDialogSpec& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogSpec& request) override;
    void setText(Field field, const std::string& text) override;
    void reportLine(const std::string& text) override;
    void clearReport() override;
    void processingStateChanged(bool processing) override;

    // Answers, taken in order.
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<ModalResult> messageAnswers;

    // What was shown.
    std::vector<ShownMessage> messages;
    std::vector<FileDialogSpec> openDialogs;
    std::vector<FileDialogSpec> saveDialogs;
    std::vector<std::string> report;   // the report log as the window would show it
    std::vector<std::string> allLines; // every line ever appended, clears ignored
    std::array<std::string, FieldCount> fields;
    int clears = 0;
    bool processing = false;

    const std::string& field(Field f) const { return fields[static_cast<int>(f)]; }
    // Convenience for a read: the next open dialog answers path.
    void willOpen(const std::string& path) { openAnswers.push_back(path); }
    void willSave(const std::string& path) { saveAnswers.push_back(path); }
    bool reported(const std::string& line) const;
    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
};

} // namespace zelta::testing
