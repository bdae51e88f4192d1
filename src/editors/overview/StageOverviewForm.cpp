#include "StageOverviewForm.h"

#include "PictureFile.h"
#include "StageOverviewView.h"
#include "UserPrompt.h"
#include "fileio.h"
#include "filewriting.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString ZoomText(int percent) {
    return QString::number(percent) + QStringLiteral(" %");
}

} // namespace

TStageOverviewForm::TStageOverviewForm(const FcPaletteData &colours, const RomImageData &document,
                                       const EditorGraphics &graphics, UserPrompt &prompt,
                                       QWidget *parent)
    : QWidget(parent, Qt::Window), Document(document), Graphics(graphics), Prompt(prompt),
      Overview(colours, document) {
    // A modal dialog's OK writes the model only after its own event loop has ended; a short
    // wait lets every edit finish first. It also keeps a drag that paints to one look a frame.
    FollowAfterInput.setSingleShot(true);
    FollowAfterInput.setInterval(30);
    connect(&FollowAfterInput, &QTimer::timeout, this, &TStageOverviewForm::Follow);
    setObjectName(QStringLiteral("StageOverviewForm"));
    setWindowTitle(tr("ステージ全体図"));
    resize(800, 360);

    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    layout->addLayout(bar);
    ChkOverviewObjects = new QCheckBox(tr("オブジェクト"), this);
    ChkOverviewObjects->setObjectName(QStringLiteral("ChkOverviewObjects"));
    bar->addWidget(ChkOverviewObjects);
    ChkOverviewRoomNumbers = new QCheckBox(tr("部屋番号"), this);
    ChkOverviewRoomNumbers->setObjectName(QStringLiteral("ChkOverviewRoomNumbers"));
    ChkOverviewRoomNumbers->setChecked(true);
    bar->addWidget(ChkOverviewRoomNumbers);
    bar->addWidget(new QLabel(tr("1行の部屋数"), this));
    SpinOverviewColumns = new QSpinBox(this);
    SpinOverviewColumns->setObjectName(QStringLiteral("SpinOverviewColumns"));
    SpinOverviewColumns->setRange(1, RoomCount);
    SpinOverviewColumns->setValue(RoomCount);
    bar->addWidget(SpinOverviewColumns);
    auto *zoomOut = new QPushButton(tr("縮小"), this);
    zoomOut->setObjectName(QStringLiteral("BtnOverviewZoomOut"));
    bar->addWidget(zoomOut);
    LblOverviewZoom = new QLabel(ZoomText(100), this);
    LblOverviewZoom->setObjectName(QStringLiteral("LblOverviewZoom"));
    bar->addWidget(LblOverviewZoom);
    auto *zoomIn = new QPushButton(tr("拡大"), this);
    zoomIn->setObjectName(QStringLiteral("BtnOverviewZoomIn"));
    bar->addWidget(zoomIn);
    bar->addStretch(1);
    auto *savePng = new QPushButton(tr("PNG として保存"), this);
    savePng->setObjectName(QStringLiteral("BtnOverviewSavePng"));
    bar->addWidget(savePng);
    View = new TStageOverviewView(Overview, this);
    layout->addWidget(View, 1);

    connect(ChkOverviewObjects, &QCheckBox::toggled, this, &TStageOverviewForm::ObjectsToggled);
    connect(ChkOverviewRoomNumbers, &QCheckBox::toggled, View,
            &TStageOverviewView::SetRoomNumbersShown);
    connect(SpinOverviewColumns, &QSpinBox::valueChanged, this,
            &TStageOverviewForm::ColumnsChanged);
    connect(zoomOut, &QPushButton::clicked, View, [this] { View->StepZoom(-1); });
    connect(zoomIn, &QPushButton::clicked, View, [this] { View->StepZoom(1); });
    connect(View, &TStageOverviewView::ZoomChanged, LblOverviewZoom,
            [this](int percent) { LblOverviewZoom->setText(ZoomText(percent)); });
    connect(savePng, &QPushButton::clicked, this, &TStageOverviewForm::SavePng);
    connect(View, &TStageOverviewView::RoomClicked, this, &TStageOverviewForm::RoomChosen);
    connect(View, &TStageOverviewView::AboutToPaint, this, &TStageOverviewForm::Follow);
}

void TStageOverviewForm::FitWholeStage(const QRect &available) {
    layout()->activate();
    // Room left for the window's frame, which is not known before it is shown.
    const QSize frameAllowance(16, 40);
    const QSize chrome = size() - View->size() + QSize(2, 2) * View->frameWidth();
    const QSize room = available.size() - chrome - frameAllowance;
    const StageOverviewLayout &rooms = Overview.Layout();
    View->SetZoom(rooms.ZoomToFit(
        room, {TStageOverviewView::ZoomSteps.begin(), TStageOverviewView::ZoomSteps.end()}));
    // As large as the rooms at that zoom, as far as the screen allows; the bars scroll the
    // rest, and a bar that is needed gets its room as well.
    const QSize picture = rooms.PictureSize() * View->Zoom() / 100;
    QSize shown = picture.boundedTo(room);
    if (picture.width() > room.width())
        shown.rheight() += View->horizontalScrollBar()->sizeHint().height();
    if (picture.height() > room.height())
        shown.rwidth() += View->verticalScrollBar()->sizeHint().width();
    resize(chrome + shown);
}

void TStageOverviewForm::Follow() {
    if (!isVisible())
        return;
    View->RoomsChanged(Overview.Follow(Document.CurrentStage(), Graphics.StagePalette()));
}

void TStageOverviewForm::DocumentOpened() {
    Overview.Invalidate();
    Follow();
}

void TStageOverviewForm::SavePng() {
    const std::optional<QString> path =
        Prompt.AskFileName(FileAccess::Save, tr("PNG として保存"), tr("PNG 画像 (*.png)"));
    if (!path)
        return;
    // The rooms this brings up to date are drawn for the file only: the view must show
    // them too, as the next follow finds nothing changed.
    View->RoomsChanged(Overview.Follow(Document.CurrentStage(), Graphics.StagePalette()));
    FileWriting::WriteWholeFile(*path, PngBytes(Overview.WholePicture()), Prompt);
}

void TStageOverviewForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
    Follow();
}

void TStageOverviewForm::hideEvent(QHideEvent *event) {
    qApp->removeEventFilter(this);
    FollowAfterInput.stop();
    QWidget::hideEvent(event);
}

bool TStageOverviewForm::eventFilter(QObject *, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        // Only a held button paints; hovering changes nothing.
        if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            break;
        [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
        if (!FollowAfterInput.isActive())
            FollowAfterInput.start();
        break;
    default:
        break;
    }
    return false;
}

void TStageOverviewForm::ColumnsChanged(int columns) {
    Overview.SetColumns(columns);
    View->PictureResized();
}

void TStageOverviewForm::ObjectsToggled(bool shown) {
    Overview.SetObjectsShown(shown);
    View->viewport()->update();
}
