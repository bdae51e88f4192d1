#include "edit_flag.h"

EditFlagManagement::EditFlagManagement(StatusSink statusSink) : Status(std::move(statusSink)) {
    ClearAll();
}

void EditFlagManagement::SetModified(bool value) {
    Modified = value;
    if (value && Status)
        Status(tr("変更あり"));
}

void EditFlagManagement::SetEditFlag(EditArea area, int stage, bool value) {
    Flags[static_cast<size_t>(area)][stage] = value;
    if (value)
        SetModified(true);
}

bool EditFlagManagement::EditFlag(EditArea area, int stage) const {
    return Flags[static_cast<size_t>(area)][stage];
}

void EditFlagManagement::SetChrFlag(bool value) {
    Chr = value;
    if (value)
        SetModified(true);
}

void EditFlagManagement::ClearAll() {
    Modified = false;
    Chr = false;
    for (auto &area : Flags)
        area.fill(false);
    if (Status)
        Status(QString());
}
