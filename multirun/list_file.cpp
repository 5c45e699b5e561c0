#include "multirun/list_file.h"

#include "common/path_text.h"

#include <algorithm>
#include <cstdio>
#include <limits>

const char listFileHeader[] = "[Quintarel Sequntial Execute File]\n";
const char listFileSeparator[] = "-- \n";
const char orderedRunOption[] = "Sequential execute";

namespace {

// "Sequential execute:" opens the ordered-run line.
const std::string orderedRunPrefix = std::string(orderedRunOption) + ":";

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

RunEntry entryFromLine(std::string_view line)
{
    RunEntry entry;
    LeadingNumber number = readLeadingNumber(line, 0);
    std::string_view text = line;
    if (!number.digits) {
        entry.pathLength = static_cast<std::int32_t>(
            std::min<std::size_t>(line.size(), std::numeric_limits<std::int32_t>::max()));
    } else {
        entry.pathLength = number.value;
        // The character after the number, normally the colon, is skipped whatever it is; a
        // number that ends the line leaves no text.
        text = number.end < line.size() ? line.substr(number.end + 1) : std::string_view();
    }
    std::size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd != std::string_view::npos)
        text = text.substr(0, lineEnd);
    entry.entryText = std::string(text);
    return entry;
}

}  // namespace

std::string formatListFile(const RunList& list, bool orderedRun)
{
    std::string bytes = listFileHeader;
    bytes += orderedRunOption;
    bytes += orderedRun ? ": 1\n" : ": 0\n";
    bytes += listFileSeparator;
    for (const RunEntry& entry : list) {
        char number[16];
        std::snprintf(number, sizeof(number), "%3d:", static_cast<int>(entry.pathLength));
        bytes += number;
        bytes += entry.entryText;
        bytes += '\n';
    }
    return bytes;
}

LeadingNumber readLeadingNumber(std::string_view text, int base)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // A "0x" counts as a prefix only when a hexadecimal digit follows; otherwise the 0 alone
    // is the number.
    if ((base == 0 || base == 16) && i + 2 < text.size() && text[i] == '0' &&
        (text[i + 1] == 'x' || text[i + 1] == 'X') && digitValue(text[i + 2]) < 16) {
        i += 2;
        base = 16;
    } else if (base == 0) {
        base = i < text.size() && text[i] == '0' ? 8 : 10;
    }

    constexpr unsigned long long beyond = 1ull << 31;  // more than any 32-bit magnitude
    unsigned long long magnitude = 0;
    std::size_t start = i;
    while (i < text.size() && digitValue(text[i]) < base) {
        magnitude = magnitude * static_cast<unsigned>(base) + digitValue(text[i]);
        if (magnitude > beyond)
            magnitude = beyond + 1;
        ++i;
    }
    LeadingNumber number;
    if (i == start)
        return number;
    number.digits = true;
    number.end = i;
    if (negative)
        number.value = magnitude >= beyond ? std::numeric_limits<std::int32_t>::min()
                                           : -static_cast<std::int32_t>(magnitude);
    else
        number.value = magnitude >= beyond ? std::numeric_limits<std::int32_t>::max()
                                           : static_cast<std::int32_t>(magnitude);
    return number;
}

void ListFileReader::addBytes(const char* data, std::size_t size)
{
    std::string_view rest(data, size);
    while (!rest.empty() && stage_ != Stage::refused) {
        std::size_t lineFeed = rest.find('\n');
        if (lineFeed == std::string_view::npos) {
            pending_.append(rest.data(), rest.size());
            return;
        }
        std::string_view piece = rest.substr(0, lineFeed + 1);
        rest.remove_prefix(lineFeed + 1);
        if (pending_.empty()) {
            takeLine(piece);
        } else {
            pending_.append(piece.data(), piece.size());
            std::string line;
            line.swap(pending_);
            takeLine(line);
        }
    }
}

void ListFileReader::takeLine(std::string_view line)
{
    // The text of a line ends at a zero byte, as it would in a C string.
    line = line.substr(0, line.find('\0'));
    switch (stage_) {
    case Stage::header:
        if (line == listFileHeader) {
            stage_ = Stage::preamble;
        } else {
            stage_ = Stage::refused;
            pending_.clear();
        }
        break;
    case Stage::preamble:
        if (line == listFileSeparator)
            stage_ = Stage::entries;
        else if (line.substr(0, orderedRunPrefix.size()) == orderedRunPrefix)
            content_.orderedRun = readLeadingNumber(line.substr(orderedRunPrefix.size()), 10).value;
        break;
    case Stage::entries:
        content_.entries.push_back(entryFromLine(line));
        break;
    case Stage::refused:
        break;
    }
}

ListFileContent ListFileReader::finish()
{
    if (!pending_.empty()) {
        std::string line;
        line.swap(pending_);
        takeLine(line);
    }
    switch (stage_) {
    case Stage::header:
    case Stage::refused:
        content_.status = ListFileStatus::notListFile;
        break;
    case Stage::preamble:
        content_.status = ListFileStatus::noEntryList;
        break;
    case Stage::entries:
        content_.status = ListFileStatus::read;
        break;
    }
    ListFileContent content = std::move(content_);
    content_ = ListFileContent();
    stage_ = Stage::header;
    return content;
}

ListFileContent readListFile(std::string_view bytes)
{
    ListFileReader reader;
    reader.addBytes(bytes.data(), bytes.size());
    return reader.finish();
}

std::string temporaryListPath(const std::string& path)
{
    if (path.empty())
        return "~";
    std::string temporary = cutWhole(path, path.size() - 1);
    bool tilde = temporary.size() == path.size() - 1 && path.back() == '~';
    temporary += tilde ? '_' : '~';
    return temporary;
}
