// The sequential list file: its bytes for a run list, and the reader with its tolerance. Lines
// end with a single line feed; the text is in the ANSI code page, byte for byte.
#pragma once

#include "multirun/run_list_editing.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

extern const char listFileHeader[];       // "[Quintarel Sequntial Execute File]\n"
extern const char listFileSeparator[];    // "-- \n"
extern const char orderedRunOption[];     // "Sequential execute"

// The whole file for a list: header, the ordered-run line, the separator, "%3d:%s" per entry.
std::string formatListFile(const RunList& list, bool orderedRun);

enum class ListFileStatus {
    read,          // read through to its end
    notListFile,   // the first line is not the header
    noEntryList,   // the file ended before the separator
};

struct ListFileContent {
    ListFileStatus status = ListFileStatus::notListFile;
    RunList entries;
    // The value of the last ordered-run line before the separator; none when there was none.
    std::optional<std::int32_t> orderedRun;
};

// Reads a file given in pieces of any size, so that a large file need not be held whole.
// Lines of any length are taken whole; a zero byte ends the text of its line.
class ListFileReader {
public:
    void addBytes(const char* data, std::size_t size);
    // True once the header was refused: the rest of the file changes nothing.
    bool refused() const { return stage_ == Stage::refused; }
    // Takes the last line (one without a line feed) and answers what was read.
    ListFileContent finish();

private:
    enum class Stage { header, preamble, entries, refused };

    void takeLine(std::string_view line);

    Stage stage_ = Stage::header;
    std::string pending_;
    ListFileContent content_;
};

ListFileContent readListFile(std::string_view bytes);

// The file a save writes before it takes the list's place: beside the list, its last character
// turned into "~" (or "_" when it is one), so it is never longer than the list's own path and
// fits wherever the list fits, and each save of a list replaces what a killed one left behind.
std::string temporaryListPath(const std::string& path);

// The leading number of a text as the C library's strtol reads it, with a 32-bit long: white
// space skipped, an optional sign, then digits of the base; base 0 takes 0x/0X for hexadecimal
// and a leading 0 for octal. A value beyond the 32-bit range gives its nearest limit.
struct LeadingNumber {
    bool digits = false;      // false when no digit was read (value 0, end 0)
    std::int32_t value = 0;
    std::size_t end = 0;      // position just after the last character that belongs to it
};
LeadingNumber readLeadingNumber(std::string_view text, int base);
