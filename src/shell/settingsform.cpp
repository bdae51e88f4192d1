#include "settingsform.h"

#include "UserPrompt.h"
#include "language.h"
#include "testplay.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Beyond a minute between two steps the animation is as good as still.
constexpr int LongestTimerInterval = 60000;

QCheckBox *NewCheckBox(QWidget *parent, const QString &name, const QString &caption) {
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

TSettingsForm::TSettingsForm(UserPrompt &prompt, QWidget *parent)
    : QDialog(parent), Prompt(prompt) {
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(tr("設定"));

    auto *emulator = new QGroupBox(tr("テスト用のエミュレータ"), this);
    EditEmulatorCommand = new QLineEdit(emulator);
    EditEmulatorCommand->setObjectName(QStringLiteral("EditEmulatorCommand"));
    EditEmulatorCommand->setMinimumWidth(320);
    auto *browse = new QPushButton(tr("参照..."), emulator);
    browse->setObjectName(QStringLiteral("BtnBrowseEmulator"));
    BtnTryEmulator = new QPushButton(tr("試す"), emulator);
    BtnTryEmulator->setObjectName(QStringLiteral("BtnTryEmulator"));
    ListEmulators = new QListWidget(emulator);
    ListEmulators->setObjectName(QStringLiteral("ListEmulators"));
    ListEmulators->setMaximumHeight(80);
    auto *commandRow = new QHBoxLayout;
    commandRow->addWidget(EditEmulatorCommand, 1);
    commandRow->addWidget(browse);
    commandRow->addWidget(BtnTryEmulator);
    auto *emulatorLayout = new QVBoxLayout(emulator);
    auto *commandLabel = new QLabel(tr("コマンド（%f はイメージのパス）:"), emulator);
    commandLabel->setBuddy(EditEmulatorCommand);
    emulatorLayout->addWidget(commandLabel);
    emulatorLayout->addLayout(commandRow);
    emulatorLayout->addWidget(new QLabel(tr("見つかったエミュレータ:"), emulator));
    emulatorLayout->addWidget(ListEmulators);

    auto *display = new QGroupBox(tr("表示と編集"), this);
    SpinTimerInterval = new QSpinBox(display);
    SpinTimerInterval->setObjectName(QStringLiteral("SpinTimerInterval"));
    SpinTimerInterval->setSuffix(tr(" ミリ秒"));
    SpinTimerInterval->setSpecialValueText(tr("停止"));
    ChkUndoEnabled = NewCheckBox(display, QStringLiteral("ChkUndoEnabled"),
                                 tr("編集を元に戻せるように記録する"));
    ChkSortObjectList = NewCheckBox(display, QStringLiteral("ChkSortObjectList"),
                                    tr("オブジェクトを自動で並び替える"));
    ChkPopupHint = NewCheckBox(display, QStringLiteral("ChkPopupHint"),
                               tr("ポップアップでオブジェクト情報を表示"));
    Chk32x32ChipGrid = NewCheckBox(display, QStringLiteral("Chk32x32ChipGrid"),
                                   tr("32x32チップのグリッド線の描画"));
    ChkMapSetGrid =
        NewCheckBox(display, QStringLiteral("ChkMapSetGrid"), tr("マップセットのグリッド線の描画"));
    CBLanguage = new QComboBox(display);
    CBLanguage->setObjectName(QStringLiteral("CBLanguage"));
    for (const QString &language : InterfaceLanguage::Available())
        CBLanguage->addItem(InterfaceLanguage::NativeName(language), language);
    auto *displayLayout = new QFormLayout(display);
    displayLayout->addRow(tr("パレットアニメーションの間隔:"), SpinTimerInterval);
    displayLayout->addRow(ChkUndoEnabled);
    displayLayout->addRow(ChkSortObjectList);
    displayLayout->addRow(ChkPopupHint);
    displayLayout->addRow(Chk32x32ChipGrid);
    displayLayout->addRow(ChkMapSetGrid);
    displayLayout->addRow(tr("言語（次回の起動から）:"), CBLanguage);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(emulator);
    layout->addWidget(display);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &TSettingsForm::BrowseClick);
    connect(BtnTryEmulator, &QPushButton::clicked, this,
            [this] { emit TryRequested(EditEmulatorCommand->text()); });
    connect(ListEmulators, &QListWidget::itemClicked, this, [this](const QListWidgetItem *item) {
        EditEmulatorCommand->setText(EmulatorCommandFor(item->data(Qt::UserRole).toString()));
    });
}

void TSettingsForm::Load(const EditorSettings &settings, const QList<FoundEmulator> &emulators,
                         bool canTry) {
    EditEmulatorCommand->setText(settings.EmulatorCommand);
    ListEmulators->clear();
    for (const FoundEmulator &emulator : emulators) {
        auto *item = new QListWidgetItem(emulator.Program, ListEmulators);
        item->setData(Qt::UserRole, emulator.Program);
    }
    BtnTryEmulator->setEnabled(canTry);
    const DisplaySettings &display = settings.Display;
    // An interval outside the usual range, negative ones included, is shown and kept as the
    // settings file has it.
    SpinTimerInterval->setRange(std::min(0, display.TimerInterval),
                                std::max(LongestTimerInterval, display.TimerInterval));
    SpinTimerInterval->setValue(display.TimerInterval);
    ChkUndoEnabled->setChecked(display.UndoEnabled);
    ChkSortObjectList->setChecked(display.SortObjectList);
    ChkPopupHint->setChecked(display.PopupHint);
    Chk32x32ChipGrid->setChecked(display.Chip32x32Grid);
    ChkMapSetGrid->setChecked(display.MapSetGrid);
    CBLanguage->setCurrentIndex(std::max(0, CBLanguage->findData(settings.Language)));
}

EditorSettings TSettingsForm::Settings() const {
    EditorSettings settings;
    settings.EmulatorCommand = EditEmulatorCommand->text();
    settings.Language = CBLanguage->currentData().toString();
    DisplaySettings &display = settings.Display;
    display.TimerInterval = SpinTimerInterval->value();
    display.UndoEnabled = ChkUndoEnabled->isChecked();
    display.SortObjectList = ChkSortObjectList->isChecked();
    display.PopupHint = ChkPopupHint->isChecked();
    display.Chip32x32Grid = Chk32x32ChipGrid->isChecked();
    display.MapSetGrid = ChkMapSetGrid->isChecked();
    return settings;
}

void TSettingsForm::FocusEmulator() {
    EditEmulatorCommand->setFocus();
    EditEmulatorCommand->selectAll();
}

void TSettingsForm::BrowseClick() {
    const std::optional<QString> program =
        Prompt.AskFileName(FileAccess::Open, tr("エミュレータの選択"), tr("すべてのファイル (*)"));
    if (program)
        EditEmulatorCommand->setText(EmulatorCommandFor(*program));
}
