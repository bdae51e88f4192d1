#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class UserPrompt;

/// Reads the whole file at `path`, or reports through the prompt's error box why not.
std::optional<QByteArray> ReadWholeFile(const QString &path, UserPrompt &prompt);

/// Writes `bytes` as the whole file at `path` through a save file, so a failed write never
/// leaves a half-written file behind; reports a failure through the prompt's error box.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, UserPrompt &prompt);
