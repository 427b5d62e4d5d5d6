#ifndef DORVANE_IDENTITYSET_H
#define DORVANE_IDENTITYSET_H

// The directories a walk has entered, by identity: one flat table with open addressing,
// so that entering a directory costs no allocation of its own and a lookup touches one
// or two neighbouring slots.

#include <cstdint>
#include <vector>

#include "platform/Platform.h"

namespace dorvane {

class IdentitySet {
public:
    // Adds identity; false when it was there already.
    bool Insert(const platform::FileIdentity& identity) {
        if ((m_Count + 1) * 2 > m_Slots.size()) {
            Grow();
        }
        if (InsertInto(m_Slots, identity)) {
            ++m_Count;
            return true;
        }
        return false;
    }

private:
    struct Slot {
        platform::FileIdentity identity;
        bool used = false;
    };

    static std::size_t Hash(const platform::FileIdentity& identity) {
        // Inode numbers of one volume are dense: mix them so that neighbours spread.
        std::uint64_t mixed = identity.node * 0x9E3779B97F4A7C15u ^ identity.volume;
        mixed ^= mixed >> 29;
        return static_cast<std::size_t>(mixed);
    }

    static bool InsertInto(std::vector<Slot>& slots, const platform::FileIdentity& identity) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = Hash(identity) & mask;; i = (i + 1) & mask) {
            if (!slots[i].used) {
                slots[i] = Slot{identity, true};
                return true;
            }
            if (slots[i].identity == identity) {
                return false;
            }
        }
    }

    void Grow() {
        std::vector<Slot> larger(m_Slots.empty() ? 256 : m_Slots.size() * 2);
        for (const Slot& slot : m_Slots) {
            if (slot.used) {
                InsertInto(larger, slot.identity);
            }
        }
        m_Slots.swap(larger);
    }

    std::vector<Slot> m_Slots;
    std::size_t m_Count = 0;
};

}  // namespace dorvane

#endif
