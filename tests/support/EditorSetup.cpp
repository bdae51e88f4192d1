#include "EditorSetup.h"

#include "GraphicsFixture.h"
#include "TestFiles.h"

#include <QDir>
#include <QStringEncoder>

QByteArray ShiftJisLines(const QStringList &lines) {
    QStringEncoder encode("Shift_JIS");
    return encode(lines.join(u'\n') + u'\n');
}

EditorSetup::EditorSetup() : PreviousDirectory(QDir::currentPath()) {
    QDir::setCurrent(WorkDir.path());
    WriteFile(WorkDir.filePath(QStringLiteral("fcpalette.pal")), MasterColourTable());
}

EditorSetup::~EditorSetup() {
    QDir::setCurrent(PreviousDirectory);
}

std::unique_ptr<TMainForm> EditorSetup::Start() {
    return std::make_unique<TMainForm>(Prompt, ProgramDir.path());
}

QString EditorSetup::WriteCartridge(const QString &name, const CartridgeBuilder &image) const {
    const QString path = WorkFile(name);
    return image.WriteTo(path) ? path : QString();
}
