// The yardstick of the start-up benchmark: a bare Qt window with the editor's menu bar,
// status bar, stage selector and six empty tab pages, and nothing behind them. Started with
// --close-when-started it closes as soon as the event loop runs, as the editor does.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void AddItems(QMenu *menu, std::initializer_list<const char16_t *> captions) {
    for (const char16_t *caption : captions) {
        if (*caption == 0)
            menu->addSeparator();
        else
            menu->addAction(QString::fromUtf16(caption));
    }
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("QUARTEX 3 EDITOR"));
    window.setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    window.resize(635, 701);

    QMenuBar *bar = window.menuBar();
    AddItems(bar->addMenu(QStringLiteral("ファイル(&F)")),
             {u"開く(&O)", u"", u"上書き保存(&S)", u"名前を付けて保存(&A)", u"", u"閉じる(&C)", u"",
              u"表示中のページを画像で保存(&P)", u"IPS パッチを作成(&I)", u"",
              u"最近使ったファイル(&R)", u"", u"終了(&X)"});
    AddItems(bar->addMenu(QStringLiteral("編集(&E)")), {u"元に戻す(&U)", u"やり直し(&R)"});
    AddItems(bar->addMenu(QStringLiteral("テスト(&T)")),
             {u"テストプレイ(&P)", u"エミュレータ(&E)"});
    AddItems(bar->addMenu(QStringLiteral("表示(&V)")), {u"言語(&L)", u"ステージ全体図(&O)"});
    AddItems(bar->addMenu(QStringLiteral("ヘルプ(&H)")), {u"使い方(&G)", u"バージョン情報(&A)"});

    for (int i = 0; i < 3; ++i)
        window.statusBar()->addWidget(new QLabel(&window));

    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    auto *stages = new QComboBox(central);
    for (int stage = 0; stage < 18; ++stage)
        stages->addItem(QString::number(stage, 16));
    layout->addWidget(stages, 0, Qt::AlignLeft);
    auto *pages = new QTabWidget(central);
    for (const char16_t *caption :
         {u"マップ", u"マップセット", u"32x32チップ", u"16x16チップ", u"パレット", u"オブジェクト"})
        pages->addTab(new QWidget, QString::fromUtf16(caption));
    layout->addWidget(pages, 1);
    window.setCentralWidget(central);
    window.show();

    if (QApplication::arguments().contains(QStringLiteral("--close-when-started")))
        QTimer::singleShot(0, &window, &QWidget::close);
    return QApplication::exec();
}
