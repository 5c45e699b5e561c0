// The list file reader takes any bytes: it must never crash or read out of bounds, reading the
// file in pieces must give what reading it whole gives, a file it read must come back the same
// through the writer, and its numbers must be the ones strtol reads.
#include "multirun/list_file.h"
#include "tests/fuzz/require.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool sameContent(const ListFileContent& a, const ListFileContent& b)
{
    return a.status == b.status && a.entries == b.entries && a.orderedRun == b.orderedRun;
}

void checkNumberAgainstStrtol(std::string_view bytes, int base)
{
    std::string text(bytes.substr(0, bytes.find('\0')));
    char* end = nullptr;
    long long expected = std::strtoll(text.c_str(), &end, base);
    expected = std::max<long long>(expected, std::numeric_limits<std::int32_t>::min());
    expected = std::min<long long>(expected, std::numeric_limits<std::int32_t>::max());
    LeadingNumber number = readLeadingNumber(text, base);
    std::size_t expectedEnd = static_cast<std::size_t>(end - text.c_str());
    require(number.digits == (expectedEnd != 0));
    if (number.digits) {
        require(number.end == expectedEnd);
        require(number.value == expected);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ListFileContent whole = readListFile(bytes);
    if (whole.status != ListFileStatus::read)
        require(whole.entries.empty());

    // Pieces as a file read in blocks would give them, at a size the input chooses.
    std::size_t piece = size == 0 ? 1 : 1 + data[0] % 17;
    ListFileReader reader;
    for (std::size_t at = 0; at < size; at += piece)
        reader.addBytes(bytes.data() + at, std::min(piece, size - at));
    require(sameContent(reader.finish(), whole));

    if (whole.status == ListFileStatus::read) {
        bool ordered = whole.orderedRun.value_or(0) != 0;
        ListFileContent again = readListFile(formatListFile(whole.entries, ordered));
        require(again.status == ListFileStatus::read);
        require(again.entries == whole.entries);
        require(again.orderedRun == (ordered ? 1 : 0));
    }

    checkNumberAgainstStrtol(bytes, 0);
    checkNumberAgainstStrtol(bytes, 10);
    return 0;
}
