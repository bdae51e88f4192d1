// The object list text of the object dialog: the first byte picks the room, the rest is the
// text the user leaves in the dialog. Its lines are read as the page reads them into the
// room; the room's objects must survive encoding into the object table and decoding again,
// and their list text must read back as the same objects.
#include "FuzzDocument.h"
#include "FuzzSupport.h"
#include "objects/ObjectEditForm.h"
#include "objects/objectedit.h"

#include <vector>

namespace {

std::vector<ObjectLine> RoomObjects(const StageData &stage, int room) {
    std::vector<ObjectLine> objects;
    for (const ObjectNode &node : stage.ObjectList(room))
        objects.push_back({static_cast<uint8_t>(node.X), static_cast<uint8_t>(node.Y),
                           static_cast<uint8_t>(node.Kind)});
    return objects;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput input(data, size);
    const int room = input.Byte() % RoomCount;
    const QString text = QString::fromUtf8(input.Rest());

    FuzzDocument document;
    StageData &stage = document.Rom().Stage(0);
    for (const QString &line : SplitObjectLines(text)) {
        const std::optional<ObjectLine> object = ParseObjectLine(line);
        if (object && stage.ObjectTotal() < ObjectEditClass::ObjectLimit)
            stage.AddObject(room, object->X, object->Y, object->Kind);
    }
    const std::vector<ObjectLine> objects = RoomObjects(stage, room);

    QString listText;
    for (const ObjectLine &object : objects)
        listText += FormatObjectLine(object.X, object.Y, object.Kind);
    std::vector<ObjectLine> reread;
    for (const QString &line : SplitObjectLines(listText)) {
        if (const std::optional<ObjectLine> object = ParseObjectLine(line))
            reread.push_back(*object);
    }
    Require(reread == objects, "the list text reads back as the same objects");

    stage.StoreObjects();
    stage.LoadObjects();
    Require(RoomObjects(stage, room) == objects, "the objects survive the object table");
    return 0;
}
