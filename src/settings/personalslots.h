#pragma once

#include <QString>

#include <array>

// One personal station: the service's id (0 marks an empty slot), its name and the
// caption of its entry in the favourites list.
struct TRadio
{
    qint32 Id = 0;
    QString Name;
    QString Caption;

    bool operator==(const TRadio &) const = default;
};

inline constexpr int PersonalSlotCount = 15;

// The fifteen personal slots; slot n lives at index n - 1.
struct PersonalSlots
{
    std::array<TRadio, PersonalSlotCount> radios;

    // Slot n (1..15); out of range gives nullptr.
    TRadio *slot(int n) { return n >= 1 && n <= PersonalSlotCount ? &radios[static_cast<size_t>(n - 1)] : nullptr; }
    const TRadio *slot(int n) const
    {
        return n >= 1 && n <= PersonalSlotCount ? &radios[static_cast<size_t>(n - 1)] : nullptr;
    }
    bool operator==(const PersonalSlots &) const = default;
};

// Closes the gaps: the filled slots move up to 1..k in their order, k+1..15 are empty.
// A slot whose id is 0 counts as empty whatever its texts say.
void CompactPersonalStations(PersonalSlots &stations);
