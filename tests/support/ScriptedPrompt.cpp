#include "ScriptedPrompt.h"

namespace {
template <typename T> T TakeFront(std::deque<T> &queue, T fallback) {
    if (queue.empty())
        return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
}
} // namespace

bool ScriptedPrompt::ConfirmYesNo(const QString &text) {
    Questions << text;
    return TakeFront(YesNoAnswers, false);
}

SaveAnswer ScriptedPrompt::ConfirmSave(const QString &text) {
    Questions << text;
    return TakeFront(SaveAnswers, SaveAnswer::Cancel);
}

std::optional<QString> ScriptedPrompt::AskOpenFileName() {
    ++OpenDialogs;
    return TakeFront(OpenFileNames, std::optional<QString>{});
}

std::optional<QString> ScriptedPrompt::AskSaveFileName() {
    ++SaveDialogs;
    return TakeFront(SaveFileNames, std::optional<QString>{});
}

std::optional<QString> ScriptedPrompt::AskText(const QString &caption, const QString &prompt) {
    TextPrompts << caption + u'|' + prompt;
    return TakeFront(Texts, std::optional<QString>{});
}
