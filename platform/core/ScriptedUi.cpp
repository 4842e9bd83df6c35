#include "platform/core/ScriptedUi.h"

namespace qx {

int ScriptedUi::MessageBox(std::string_view text, std::string_view caption, unsigned type) {
    shown.push_back(Shown{"message", std::string(text), std::string(caption), type, {}});
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return (type & 0xF) == MB_OK ? IDOK : IDCANCEL;
}

std::optional<std::string> ScriptedUi::GetOpenFileName(const FileDialogSpec& spec) {
    shown.push_back(Shown{"open", {}, {}, 0, spec});
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUi::GetSaveFileName(const FileDialogSpec& spec) {
    shown.push_back(Shown{"save", {}, {}, 0, spec});
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

bool ScriptedUi::ShellOpen(std::string_view windowsPath) {
    shown.push_back(Shown{"shell", std::string(windowsPath), {}, 0, {}});
    return shellResult;
}

bool ScriptedUi::RunProgram(std::string_view commandLine) {
    shown.push_back(Shown{"run", std::string(commandLine), {}, 0, {}});
    return shellResult;
}

int ScriptedUi::PopupMenu(const std::vector<std::string>& entries, int, int) {
    std::string text;
    for (const std::string& e : entries)
        text += e + "\n";
    shown.push_back(Shown{"menu", text, {}, 0, {}});
    if (menuAnswers.empty())
        return -1;
    const int answer = menuAnswers.front();
    menuAnswers.pop_front();
    return answer;
}

std::vector<std::string> ScriptedUi::Messages() const {
    std::vector<std::string> out;
    for (const auto& s : shown)
        if (s.kind == "message")
            out.push_back(s.text);
    return out;
}

ScopedScriptedUi::ScopedScriptedUi() : previous_(&TheUi()) { SetUi(&ui_); }

ScopedScriptedUi::~ScopedScriptedUi() { SetUi(previous_); }

} // namespace qx
