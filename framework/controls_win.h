// Thin helpers for the standard controls our windows use, so that the message traffic of a list
// box, a hot key field, window icons and dropped files is written once. Every helper borrows
// the control's window; none owns it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// A list box of a dialog. Indices are the list box's own; -1 stands for "none".
class ListBox {
public:
    explicit ListBox(HWND box) : box_(box) {}

    HWND handle() const { return box_; }
    int count() const;
    // The index of the new line, or -1 when the list box refused it.
    int add(const std::string& line);
    int insert(int index, const std::string& line);
    void remove(int index);
    void clear();
    std::string line(int index) const;
    void setData(int index, LPARAM data);

    int selection() const;
    void select(int index);

    // Widths in the list box's own font: the bare device context would measure in the system
    // font and give too short an extent.
    int textWidth(const std::string& text) const;
    int widestLine() const;
    int horizontalExtent() const;
    void setHorizontalExtent(int pixels);
    // The extent of the widest line, plus room for a vertical scroll bar where the box shows
    // one beside its lines.
    void fitExtentToLines(bool roomForScrollBar = false);
    // Widens the extent when a new line is wider than any before; never narrows it.
    void widenExtentFor(const std::string& line);

private:
    HWND box_;
};

// A hot key control: a key typed without a modifier gets Alt, as every hot key needs one.
void setUpHotkeyField(HWND field, WORD key);
WORD hotkeyFieldValue(HWND field);
void setHotkeyFieldValue(HWND field, WORD key);

void setWindowIcons(HWND window, HICON big, HICON small);

// An icon resource at the size the system draws small (the tray, a title bar) or large icons
// in at its DPI: 16 or 32 pixels at 100 %, 20 or 40 at 125 %, 24 or 48 at 150 %. The caller
// owns it.
enum class IconSize { small, large };
HICON loadIconForDpi(HINSTANCE instance, int id, IconSize size);

// The paths of a drop, in the order given, whole: refusing a path too long for its use is the
// caller's choice.
std::vector<std::string> droppedPaths(HDROP drop);

// A dropped path in the ANSI code page and, when the code page cannot hold it, its real form
// (UTF-16; empty otherwise).
struct DroppedPath {
    std::string path;
    std::u16string realPath;
};
std::vector<DroppedPath> droppedRealPaths(HDROP drop);

// Whether a key or mouse button is held down right now, as the user's hand is on it while a
// command is handled (not as the message queue last saw it).
inline bool heldNow(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
