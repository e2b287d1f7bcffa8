#include "settings/personalslots.h"

void CompactPersonalStations(PersonalSlots &stations)
{
    for (int pass = 0; pass < PersonalSlotCount - 1; ++pass) {
        for (int i = 1; i < PersonalSlotCount; ++i) {
            TRadio &here = *stations.slot(i);
            TRadio &next = *stations.slot(i + 1);
            if (here.Id == 0) {
                here = next;
                next = TRadio{};
            }
        }
    }
}
