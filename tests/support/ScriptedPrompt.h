#pragma once

#include "UserPrompt.h"

#include <QStringList>
#include <deque>
#include <optional>

/// A `UserPrompt` for tests: records every text it is shown and answers from queues.
/// An empty queue answers No / Cancel / nothing.
class ScriptedPrompt : public UserPrompt {
public:
    void ShowMessage(const QString &text) override { Messages << text; }
    void ShowError(const QString &text) override { Errors << text; }
    bool ConfirmYesNo(const QString &text) override;
    SaveAnswer ConfirmSave(const QString &text) override;
    std::optional<QString> AskOpenFileName(const QString &folder) override;
    std::optional<QString> AskSaveFileName(const QString &folder) override;
    ChangedFileAnswer AskChangedFile(const QString &text) override;
    std::optional<QString> AskFileName(FileAccess access, const QString &caption,
                                       const QString &filter) override;
    std::optional<QString> AskProgram(const QString &caption, const QStringList &programs) override;
    std::optional<QString> AskText(const QString &caption, const QString &prompt) override;

    QStringList Messages;              ///< texts of ShowMessage, in order
    QStringList Errors;                ///< texts of ShowError, in order
    QStringList Questions;             ///< texts of ConfirmYesNo, ConfirmSave, AskChangedFile
    QStringList TextPrompts;           ///< "caption|prompt" of AskText, in order
    QStringList FileQuestions;         ///< captions of AskFileName, in order
    QList<QStringList> ProgramChoices; ///< the programs each AskProgram listed, in order
    int OpenDialogs = 0;               ///< how often the open dialog was run
    int SaveDialogs = 0;               ///< how often the save dialog was run
    QStringList DialogFolders; ///< the starting folder of each open and save dialog, in order

    std::deque<bool> YesNoAnswers;
    std::deque<SaveAnswer> SaveAnswers;
    std::deque<ChangedFileAnswer> ChangedFileAnswers; ///< empty: Cancel
    std::deque<std::optional<QString>> OpenFileNames;
    std::deque<std::optional<QString>> SaveFileNames;
    std::deque<std::optional<QString>> Texts;
    std::deque<std::optional<QString>> FileNames; ///< answers of AskFileName
    std::deque<std::optional<QString>> Programs;  ///< answers of AskProgram
};
