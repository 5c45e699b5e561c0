// Path texts in the ANSI code page (Shift-JIS): splitting, joining and separator scans that
// never split a double-byte character.
#pragma once

#include <cstddef>
#include <string>

// Paths and parameters live in buffers of 260 bytes including the terminating zero.
constexpr std::size_t pathBufferSize = 260;
constexpr std::size_t maxPathChars = pathBufferSize - 1;

inline bool isPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Position of the last "\" or "/" that is not the second byte of a double-byte character, or
// std::string::npos.
std::size_t findLastSeparator(const std::string& path);

// Turns every "\" that is not the second byte of a double-byte character into "/".
void toForwardSlashes(std::string& path);

// The text with every separator a backslash (double-byte characters untouched).
void toBackslashes(std::string& path);

// The directory part of a path: C:\Tools\run.exe gives C:\Tools, C:\Tools\ gives C:, C:\run.exe
// gives C:. Returns false (and the whole path, cut to 259 bytes) when there is no parent, as for
// \run.exe and run.exe.
bool parentDirectory(const std::string& path, std::string& parent);

// The four parts of a path as the platform's path splitter gives them: drive "C:", directory up
// to and including its last separator, file name up to the last dot, extension from that dot.
struct PathParts {
    std::string drive;
    std::string directory;
    std::string name;
    std::string extension;
};
PathParts splitPath(const std::string& path);

// The reverse: a separator is added after a directory that lacks one, a dot before an extension
// that lacks one, a colon after a drive letter given alone.
std::string makePath(const std::string& drive, const std::string& directory,
                     const std::string& name, const std::string& extension);

// The last component of a path (everything after its last separator).
std::string lastComponent(const std::string& path);

// The text cut to at most maxBytes bytes, never between the two bytes of a double-byte character.
std::string cutWhole(const std::string& text, std::size_t maxBytes);
