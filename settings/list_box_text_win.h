// Text widths in a list box, for its horizontal scroll extent.
#pragma once

#include <windows.h>

#include <string>

// Width of a text in the list box's own font on the list box's device context.
int listBoxTextWidth(HWND listBox, const std::string& text);

// Width of the widest line of the list box (0 when it is empty).
int widestListBoxLine(HWND listBox);

std::string listBoxLine(HWND listBox, int index);
