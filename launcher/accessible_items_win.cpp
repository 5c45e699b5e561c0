#include "launcher/accessible_items_win.h"

#include <cstddef>
#include <type_traits>

ULONG_PTR AccessibleItems::add(std::size_t index, std::wstring name)
{
    static_assert(std::is_standard_layout<Record>::value && offsetof(Record, accessible) == 0,
                  "the MSAAMENUINFO must begin the item data");
    std::size_t chunk = index / chunkSize;
    while (chunks_.size() <= chunk)
        chunks_.push_back(std::make_unique<Chunk>());
    std::size_t at = index % chunkSize;
    std::wstring& kept = chunks_[chunk]->names[at];
    kept = std::move(name);
    Record& record = chunks_[chunk]->records[at];
    record.accessible.dwMSAASignature = MSAA_MENU_SIG;
    record.accessible.cchWText = static_cast<DWORD>(kept.size());
    record.accessible.pszWText = &kept[0];
    record.index = index;
    return reinterpret_cast<ULONG_PTR>(&record);
}

std::size_t AccessibleItems::indexOf(ULONG_PTR data) const
{
    for (const auto& chunk : chunks_) {
        auto first = reinterpret_cast<ULONG_PTR>(chunk->records.data());
        auto end = reinterpret_cast<ULONG_PTR>(chunk->records.data() + chunkSize);
        if (data >= first && data < end && (data - first) % sizeof(Record) == 0)
            return reinterpret_cast<const Record*>(data)->index;
    }
    return npos;
}
