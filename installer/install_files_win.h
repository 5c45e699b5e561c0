// The files of an installation replaced so that a failure leaves the old ones: each file is
// copied to a new name beside its destination first and then put in its place.
#pragma once

#include <windows.h>

#include <string>

// Whether two paths name one file (the same volume and file index), however they are spelled:
// a short name, other letter case, a share of a local folder.
bool sameFile(const std::string& a, const std::string& b);

// A copy of source beside destination, under a new name of its own, without a read-only
// attribute carried over from the source. ERROR_SUCCESS with staged set to the copy, or with
// staged empty when source and destination are the same file and there is nothing to do;
// otherwise the system's error code and nothing left behind.
DWORD stageCopy(const std::string& source, const std::string& destination, std::string& staged);

// Puts a staged copy in place of destination, which may be read-only; on failure the copy is
// removed and destination is as it was.
DWORD putInPlace(const std::string& staged, const std::string& destination);

// Both, for a file whose failure need not keep the others as they were.
DWORD replaceFile(const std::string& source, const std::string& destination);

// Makes a file writable and deletes it; ERROR_SUCCESS also when there was none.
DWORD removeFile(const std::string& path);

// The size of a file in bytes, 0 when there is none.
unsigned long long fileSize(const std::string& path);
