#include "aboutform.h"

#include "mainform.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString LicenceText() {
    QFile file(QStringLiteral(":/LICENSE"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("バージョン情報"));
    auto *name = new QLabel(
        tr("%1 バージョン %2").arg(ApplicationTitle, QString::fromLatin1(QUARTEX_VERSION)), this);
    name->setObjectName(QStringLiteral("LblAboutVersion"));
    QFont heading = name->font();
    heading.setBold(true);
    name->setFont(heading);
    auto *licence = new QPlainTextEdit(LicenceText(), this);
    licence->setObjectName(QStringLiteral("MemoLicence"));
    licence->setReadOnly(true);
    licence->setLineWrapMode(QPlainTextEdit::NoWrap);
    licence->setMinimumSize(600, 300);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *aboutQt = buttons->addButton(tr("Qtについて"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(aboutQt, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(
        new QLabel(tr("このプログラムはMITライセンスの下で配布されています。"), this));
    layout->addWidget(licence);
    layout->addWidget(buttons);
}
