#pragma once

#include "MyIniFiles.h"
#include "UserPrompt.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QStringList>
#include <memory>

/// A `UserPrompt` for a program without a screen: keeps every text the model reports so
/// the caller can print it as one line, and answers every question in the negative.
class CollectingPrompt : public UserPrompt {
public:
    void ShowMessage(const QString &text) override { Reports << text; }
    void ShowError(const QString &text) override { Reports << text; }
    bool ConfirmYesNo(const QString &) override { return false; }
    SaveAnswer ConfirmSave(const QString &) override { return SaveAnswer::Cancel; }
    std::optional<QString> AskOpenFileName(const QString &) override { return std::nullopt; }
    std::optional<QString> AskSaveFileName(const QString &) override { return std::nullopt; }
    std::optional<QString> AskFileName(FileAccess, const QString &, const QString &) override {
        return std::nullopt;
    }
    std::optional<QString> AskText(const QString &, const QString &) override {
        return std::nullopt;
    }

    /// Everything reported so far, joined into one line.
    QString Report() const { return Reports.join(QStringLiteral("; ")).replace(u'\n', u' '); }

private:
    QStringList Reports;
};

/// A cartridge image opened read-only, as the editor opens it: the settings file it reads
/// the table offsets and sharing from (never written back), the modified flags, the
/// document and the prompt it reports through. Owns all of them.
class ToolDocument {
public:
    /// Reads the settings file (built-in defaults when `settingsPath` is empty) and opens
    /// the image. Returns nothing, with `error` set to one line, when either fails.
    static std::unique_ptr<ToolDocument> Open(const QString &romPath, const QString &settingsPath,
                                              QString &error);

    const RomImageData &Rom() const { return Document; }

private:
    explicit ToolDocument(const QString &settingsPath);

    CollectingPrompt Prompt;
    EditFlagManagement Flags;
    QStringList AttributeNames;
    TMyMemIniFile Settings;
    RomImageData Document;
};
