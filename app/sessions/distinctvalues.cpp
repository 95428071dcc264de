#include "distinctvalues.h"

#include "studysession.h"

#include "app/model/lorvant.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>

// The values met so far are kept in an open-addressed table, at most half full, in one block
// rather than a node per item, so that the first question of a large list stays quick. A slot is
// 32 bits: the value's position + 1 in the low bits (0 marks a free slot), and as many bits of
// its hash as fit above them, which spare most comparisons of texts.
DistinctValues::DistinctValues(const StudyList& sh, int fieldIdx) {
    const auto itemCount = static_cast<std::size_t>(sh.getTermSetCount());
    const auto valueOf = [&sh, fieldIdx](std::size_t item) {
        return StudySession::fieldValue(sh.getTermSet(item), fieldIdx);
    };
    _positionOfItem.resize(itemCount);

    int slotBits = 1;
    while ((std::size_t{1} << slotBits) < 2 * itemCount)
        ++slotBits;
    const std::size_t slotMask = (std::size_t{1} << slotBits) - 1;
    std::vector<std::uint32_t> slots(slotMask + 1, 0);
    int positionBits = 1;
    while ((std::uint64_t{1} << positionBits) <= itemCount)
        ++positionBits;
    const std::uint32_t positionMask = (std::uint32_t{1} << positionBits) - 1;
    // Multiplying spreads the hash over 64 bits, also where it has only 32: the slot comes from
    // the top bits, the tag from the low ones.
    const auto spread = [](std::string_view value) {
        return static_cast<std::uint64_t>(std::hash<std::string_view>()(value)) * 0x9E3779B97F4A7C15u;
    };
    const auto homeSlot = [slotBits](std::uint64_t hash) {
        return static_cast<std::size_t>(hash >> (64 - slotBits));
    };

    // On a large list nearly every look-up misses the cache: the slots of the next few items are
    // fetched while the current one is placed.
    constexpr std::size_t Ahead = 16;
    std::uint64_t hashes[Ahead];
    const auto hashAhead = [&](std::size_t item) {
        const std::uint64_t hash = spread(valueOf(item));
        __builtin_prefetch(&slots[homeSlot(hash)]);
        return hash;
    };
    for (std::size_t item = 0; item < std::min(Ahead, itemCount); ++item)
        hashes[item] = hashAhead(item);

    for (std::size_t item = 0; item < itemCount; ++item) {
        const std::uint64_t hash = hashes[item % Ahead];
        if (item + Ahead < itemCount)
            hashes[item % Ahead] = hashAhead(item + Ahead);
        const std::string_view value = valueOf(item);
        const std::uint32_t tag = static_cast<std::uint32_t>(hash) << positionBits;
        for (std::size_t slot = homeSlot(hash);; slot = (slot + 1) & slotMask) {
            const std::uint32_t entry = slots[slot];
            if (entry == 0) {
                _positionOfItem[item] = getCount();
                _firstItem.push_back(static_cast<int>(item));
                slots[slot] = tag | static_cast<std::uint32_t>(_firstItem.size());
                break;
            }
            const auto position = static_cast<int>((entry & positionMask) - 1);
            if ((entry & ~positionMask) == tag &&
                valueOf(static_cast<std::size_t>(getFirstItem(position))) == value) {
                _positionOfItem[item] = position;
                break;
            }
        }
    }
}
