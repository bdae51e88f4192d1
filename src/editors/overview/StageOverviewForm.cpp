#include "StageOverviewForm.h"

#include "PictureFile.h"
#include "StageOverviewView.h"
#include "UserPrompt.h"
#include "fileio.h"
#include "filewriting.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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
    // A frame of the palette animation's default pace: an unchanged model costs a
    // comparison of a few microseconds.
    FollowTimer.setInterval(16);
    connect(&FollowTimer, &QTimer::timeout, this, &TStageOverviewForm::Follow);
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
    Follow();
    FollowTimer.start();
}

void TStageOverviewForm::hideEvent(QHideEvent *event) {
    FollowTimer.stop();
    QWidget::hideEvent(event);
}

void TStageOverviewForm::ColumnsChanged(int columns) {
    Overview.SetColumns(columns);
    View->PictureResized();
}

void TStageOverviewForm::ObjectsToggled(bool shown) {
    Overview.SetObjectsShown(shown);
    View->viewport()->update();
}
