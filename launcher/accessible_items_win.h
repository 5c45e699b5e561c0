// The data of every owner-drawn launcher item: what a screen reader reads for it, and which
// entry it is. Windows has no text of an owner-drawn item to give Narrator or NVDA; they read
// the MSAAMENUINFO that begins the item's data. The records never move while their menu shows
// them: a menu holds their addresses.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class AccessibleItems {
public:
    // The item data of entry index, which reads as name; the record of an index given again is
    // the same one, renamed.
    ULONG_PTR add(std::size_t index, std::wstring name);
    // The entry whose record the data is, or npos when it is none of these records.
    std::size_t indexOf(ULONG_PTR data) const;
    void clear() { chunks_.clear(); }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    struct Record {
        // First: screen readers look for its signature at the start of the data.
        MSAAMENUINFO accessible;
        std::size_t index;
    };
    static constexpr std::size_t chunkSize = 256;
    struct Chunk {
        std::array<Record, chunkSize> records{};
        std::array<std::wstring, chunkSize> names;
    };
    std::vector<std::unique_ptr<Chunk>> chunks_;
};
