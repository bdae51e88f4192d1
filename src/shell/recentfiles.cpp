#include "recentfiles.h"

#include "MyIniFiles.h"
#include "UserPrompt.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

const QString RecentFilesSection = QStringLiteral("RecentFiles");

QString FileKey(int number) {
    return QStringLiteral("File") + QString::number(number);
}

} // namespace

RecentFiles::RecentFiles(UserPrompt &prompt, QMenu &fileMenu, QAction *before, QObject *parent)
    : QObject(parent), Prompt(prompt) {
    Menu = new QMenu(tr("最近使ったファイル(&R)"), &fileMenu);
    Menu->setObjectName(QStringLiteral("RecentFiles1"));
    fileMenu.insertMenu(before, Menu);
    fileMenu.insertSeparator(before)->setObjectName(QStringLiteral("N6"));
    Rebuild();
}

void RecentFiles::ReadSettings(const TMyMemIniFile &file) {
    QStringList paths;
    for (int number = 1; number <= Capacity; ++number) {
        const QString path = file.ReadString(RecentFilesSection, FileKey(number), QString());
        if (!path.isEmpty() && !paths.contains(path))
            paths << path;
    }
    Paths = paths;
    Rebuild();
}

void RecentFiles::WriteSettings(TMyMemIniFile &file) const {
    for (int number = 1; number <= Capacity; ++number)
        file.WriteString(RecentFilesSection, FileKey(number), Paths.value(number - 1));
}

void RecentFiles::Add(const QString &path) {
    const QString clean = QDir::cleanPath(path);
    Paths.removeAll(clean);
    Paths.prepend(clean);
    while (Paths.size() > Capacity)
        Paths.removeLast();
    Rebuild();
}

void RecentFiles::Choose(const QString &path) {
    if (QFileInfo(path).isFile()) {
        emit FileChosen(path);
        return;
    }
    Paths.removeAll(path);
    Rebuild();
    Prompt.ShowMessage(
        tr("%1が見つかりませんでした。最近使ったファイルの一覧から外します。").arg(path));
}

void RecentFiles::Rebuild() {
    // Later, not now: the list changes while one of these items is still being triggered.
    for (QAction *item : Menu->actions()) {
        Menu->removeAction(item);
        item->deleteLater();
    }
    for (int i = 0; i < Paths.size(); ++i) {
        const QString path = Paths[i];
        // An ampersand in a path is text, not a mnemonic.
        QString caption = QString(path).replace(u'&', QStringLiteral("&&"));
        caption = u'&' + QString::number(i + 1) + u' ' + caption;
        QAction *item = Menu->addAction(caption);
        connect(item, &QAction::triggered, this, [this, path] { Choose(path); });
    }
    Menu->setEnabled(!Paths.isEmpty());
}
