#include "windowplacement.h"

#include "MyIniFiles.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

const QString WindowSection = QStringLiteral("Window");
const QString LeftKey = QStringLiteral("Left");
const QString TopKey = QStringLiteral("Top");
const QString WidthKey = QStringLiteral("Width");
const QString HeightKey = QStringLiteral("Height");
const QString MaximizedKey = QStringLiteral("Maximized");

// Beyond any desktop; keeps the rectangle arithmetic far from overflow on a bad value.
constexpr int32_t CoordinateLimit = 1000000;

bool InRange(int32_t value, int32_t low) {
    return value >= low && value <= CoordinateLimit;
}

bool FitsAScreen(const QRect &rect) {
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&rect](const QScreen *screen) {
        return screen->availableGeometry().contains(rect);
    });
}

} // namespace

void WindowPlacement::Restore(QWidget &window, const TMyMemIniFile &file) {
    const int32_t left = file.ReadInteger(WindowSection, LeftKey, 0);
    const int32_t top = file.ReadInteger(WindowSection, TopKey, 0);
    const int32_t width = file.ReadInteger(WindowSection, WidthKey, 0);
    const int32_t height = file.ReadInteger(WindowSection, HeightKey, 0);
    if (!InRange(left, -CoordinateLimit) || !InRange(top, -CoordinateLimit) || !InRange(width, 1) ||
        !InRange(height, 1))
        return;
    const QRect rect(left, top, width, height);
    if (!FitsAScreen(rect))
        return;
    window.setGeometry(rect);
    if (file.ReadBool(WindowSection, MaximizedKey, false))
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void WindowPlacement::Store(const QWidget &window, TMyMemIniFile &file) {
    // A window shown maximised from the start has no normal geometry of its own yet.
    QRect rect = window.normalGeometry();
    if (!rect.isValid())
        rect = window.geometry();
    file.WriteInteger(WindowSection, LeftKey, rect.left());
    file.WriteInteger(WindowSection, TopKey, rect.top());
    file.WriteInteger(WindowSection, WidthKey, rect.width());
    file.WriteInteger(WindowSection, HeightKey, rect.height());
    file.WriteBool(WindowSection, MaximizedKey, window.isMaximized());
}
