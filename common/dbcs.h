// Shift-JIS (code page 932) byte classes. Every byte-wise scan of a path asks isLeadByte, so the
// second byte of a double-byte character (which may be 0x5C, the backslash) is never taken for
// a separator.
#pragma once

inline bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline bool isLeadByte(char byte)
{
    return isLeadByte(static_cast<unsigned char>(byte));
}
