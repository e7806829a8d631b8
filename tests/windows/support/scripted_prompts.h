// Prompts for tests: every box is recorded, dialogs and the folder browser
// answer from a script.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "app/prompts.h"

namespace orvex::test {

struct ShownBox {
    std::string text;
    int icon;
    std::string title;
};

struct ShownDialog {
    FileDialogSettings settings;  // as the dialog was opened
};

class ScriptedPrompts : public Prompts {
public:
    ScriptedPrompts() { former_ = SetPrompts(this); }
    ~ScriptedPrompts() override { SetPrompts(former_); }

    // Next dialog answers: a path confirms, std::nullopt-like empty cancels.
    void AnswerFileDialog(const std::string& pathOrEmptyToCancel) { fileAnswers_.push_back(pathOrEmptyToCancel); }
    void AnswerFolder(const std::string& folderOrEmpty) { folderAnswers_.push_back(folderOrEmpty); }

    void ShowMessage(const std::string& text, int icon, const std::string& title) override {
        boxes.push_back({text, icon, title});
    }
    bool ShowFileDialog(FileDialogSettings& settings, HWND) override {
        dialogs.push_back({settings});
        if (fileAnswers_.empty()) return false;
        const std::string answer = fileAnswers_.front();
        fileAnswers_.pop_front();
        if (answer.empty()) return false;
        settings.fileName = answer;
        return true;
    }
    std::string BrowseForFolder(const std::string& prompt, HWND) override {
        folderPrompts.push_back(prompt);
        if (folderAnswers_.empty()) return {};
        const std::string answer = folderAnswers_.front();
        folderAnswers_.pop_front();
        return answer;
    }

    std::vector<ShownBox> boxes;
    std::vector<ShownDialog> dialogs;
    std::vector<std::string> folderPrompts;

private:
    Prompts* former_ = nullptr;
    std::deque<std::string> fileAnswers_;
    std::deque<std::string> folderAnswers_;
};

} // namespace orvex::test
