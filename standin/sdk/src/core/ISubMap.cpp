// ISubMap's exported defaults.
#include "imtl.h"

MSTR ISubMap::GetSubTexmapSlotName(int, bool) {
    return MSTR();
}
MSTR ISubMap::GetSubTexmapSlotName(int i) {
    return GetSubTexmapSlotName(i, true);
}

MSTR ISubMap::GetSubTexmapTVName(int i, bool localized) {
    MSTR slot = GetSubTexmapSlotName(i, localized);
    if (!slot.isNull()) {
        return slot;
    }
    MSTR numbered;
    numbered.printf(_M("Map #%d"), i + 1);
    return numbered;
}

void ISubMap::CopySubTexmap(HWND, int ifrom, int ito) {
    Texmap* source = GetSubTexmap(ifrom);
    Texmap* copy = source ? static_cast<Texmap*>(CloneRefHierarchy(source)) : nullptr;
    SetSubTexmap(ito, copy);
}
