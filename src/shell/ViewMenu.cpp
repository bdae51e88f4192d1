#include "ViewMenu.h"

#include <QCoreApplication>
#include <QMenuBar>

namespace {

const QString ViewMenuName = QStringLiteral("View1");
const QString HelpMenuName = QStringLiteral("Help1");

} // namespace

QMenu *ViewMenu(QMenuBar &menuBar) {
    if (auto *menu = menuBar.findChild<QMenu *>(ViewMenuName, Qt::FindDirectChildrenOnly))
        return menu;
    auto *menu = new QMenu(QCoreApplication::translate("TMainForm", "表示(&V)"), &menuBar);
    menu->setObjectName(ViewMenuName);
    QAction *help = nullptr;
    if (auto *helpMenu = menuBar.findChild<QMenu *>(HelpMenuName, Qt::FindDirectChildrenOnly))
        help = helpMenu->menuAction();
    menuBar.insertMenu(help, menu);
    return menu;
}
