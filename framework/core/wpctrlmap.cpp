#include "wpctrlmap.h"

int CheckControlMap(const WPCtrlMapEntry* map, int recordSize) {
    for (int i = 0; map[i].factory; ++i) {
        const WPCtrlMapEntry& e = map[i];
        if (e.id == 0 || e.size < 0 || e.offset < 0 || e.offset > recordSize - e.size)
            return i + 1;
        for (int j = 0; j < i; ++j) {
            const WPCtrlMapEntry& other = map[j];
            if (other.id == e.id)
                return i + 1;
            bool overlap = e.size > 0 && other.size > 0 && e.offset < other.offset + other.size &&
                           other.offset < e.offset + e.size;
            if (overlap)
                return i + 1;
        }
    }
    return 0;
}

int ControlMapFocusId(const WPCtrlMapEntry* map) {
    int i = 0;
    while (map[i].factory)
        ++i;
    return map[i].id;
}
