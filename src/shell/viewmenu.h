#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QMenuBar;
class UserPrompt;

/// The 表示 menu. It is a program menu rather than a document one, so it stays usable with
/// no image open. It holds the interface language choice; other display commands join it
/// through `Menu()`.
///
/// Owns the menu and its actions (children of the menu bar). Borrows the prompt that says
/// when a newly chosen language takes effect.
class TViewMenu : public QObject {
    Q_OBJECT
public:
    /// Appends the menu to `menuBar`, with `runningLanguage` checked in its language list.
    TViewMenu(QMenuBar &menuBar, UserPrompt &prompt, const QString &runningLanguage);

    QMenu *Menu() const { return View1; }
    /// The language picked in the menu: the running one until the user picks another. This
    /// is what the settings file keeps at exit.
    const QString &ChosenLanguage() const { return Chosen; }
    /// Chooses `language` as its menu item would; saying so when it differs from the
    /// running one.
    void ChooseLanguage(const QString &language);

private:
    UserPrompt &Prompt;
    QString Running;
    QString Chosen;
    QMenu *View1 = nullptr;
};
