#include "ScriptedPrompt.h"

namespace {
// Takes the next scripted answer; an empty queue answers with `T{}`: false, or no file name.
// (Swapping into a value-initialised answer keeps GCC's optional<QString> analysis quiet.)
template <typename T> T TakeFront(std::deque<T> &queue) {
    T answer{};
    if (!queue.empty()) {
        std::swap(answer, queue.front());
        queue.pop_front();
    }
    return answer;
}
} // namespace

bool ScriptedPrompt::ConfirmYesNo(const QString &text) {
    Questions << text;
    return TakeFront(YesNoAnswers);
}

SaveAnswer ScriptedPrompt::ConfirmSave(const QString &text) {
    Questions << text;
    if (SaveAnswers.empty())
        return SaveAnswer::Cancel;
    return TakeFront(SaveAnswers);
}

ChangedFileAnswer ScriptedPrompt::AskChangedFile(const QString &text) {
    Questions << text;
    if (ChangedFileAnswers.empty())
        return ChangedFileAnswer::Cancel;
    return TakeFront(ChangedFileAnswers);
}

std::optional<QString> ScriptedPrompt::AskOpenFileName(const QString &folder) {
    ++OpenDialogs;
    DialogFolders << folder;
    return TakeFront(OpenFileNames);
}

std::optional<QString> ScriptedPrompt::AskSaveFileName(const QString &folder) {
    ++SaveDialogs;
    DialogFolders << folder;
    return TakeFront(SaveFileNames);
}

std::optional<QString> ScriptedPrompt::AskFileName(FileAccess, const QString &caption,
                                                   const QString &) {
    FileQuestions << caption;
    return TakeFront(FileNames);
}

std::optional<QString> ScriptedPrompt::AskProgram(const QString &, const QStringList &programs) {
    ProgramChoices << programs;
    return TakeFront(Programs);
}

std::optional<QString> ScriptedPrompt::AskText(const QString &caption, const QString &prompt) {
    TextPrompts << caption + u'|' + prompt;
    return TakeFront(Texts);
}
