#pragma once

class QMenu;
class QMenuBar;

/// The main window's "表示(&V)" menu, created on first use after 編集 and テスト (before
/// ヘルプ when that is there already), so every view command joins the same menu.
QMenu *ViewMenu(QMenuBar &menuBar);
