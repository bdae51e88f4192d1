#include "settings.h"

#include "MyIniFiles.h"

namespace {

const QString ObjectEditSection = QStringLiteral("ObjectEdit");
const QString Chip32x32Section = QStringLiteral("32x32ChipEdit");
const QString MapSetSection = QStringLiteral("MapSetEdit");
const QString TimerSection = QStringLiteral("Timer");
const QString UndoSection = QStringLiteral("Undo");
const QString SortKey = QStringLiteral("Sort");
const QString PopupKey = QStringLiteral("Popup");
const QString GridKey = QStringLiteral("Grid");
const QString IntervalKey = QStringLiteral("Interval");
const QString EnabledKey = QStringLiteral("Enabled");

} // namespace

DisplaySettings DisplaySettings::Read(const TMyMemIniFile &file) {
    DisplaySettings settings;
    settings.SortObjectList = file.ReadBool(ObjectEditSection, SortKey, settings.SortObjectList);
    settings.PopupHint = file.ReadBool(ObjectEditSection, PopupKey, settings.PopupHint);
    settings.Chip32x32Grid = file.ReadBool(Chip32x32Section, GridKey, settings.Chip32x32Grid);
    settings.MapSetGrid = file.ReadBool(MapSetSection, GridKey, settings.MapSetGrid);
    settings.TimerInterval = file.ReadInteger(TimerSection, IntervalKey, DefaultTimerInterval);
    settings.UndoEnabled = file.ReadBool(UndoSection, EnabledKey, settings.UndoEnabled);
    return settings;
}

void DisplaySettings::Write(TMyMemIniFile &file) const {
    file.WriteBool(ObjectEditSection, SortKey, SortObjectList);
    file.WriteBool(ObjectEditSection, PopupKey, PopupHint);
    file.WriteBool(Chip32x32Section, GridKey, Chip32x32Grid);
    file.WriteBool(MapSetSection, GridKey, MapSetGrid);
    file.WriteInteger(TimerSection, IntervalKey, TimerInterval);
    file.WriteBool(UndoSection, EnabledKey, UndoEnabled);
}
