#include "settings/list_box_text_win.h"

#include "framework/handles_win.h"

#include <vector>

namespace {

int measure(HDC dc, const std::string& text)
{
    SIZE size{};
    if (!GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size))
        return 0;
    return size.cx;
}

}  // namespace

int listBoxTextWidth(HWND listBox, const std::string& text)
{
    WindowDC dc(listBox);
    if (!dc)
        return 0;
    // The lines are drawn in the list box's font; the bare device context would measure them
    // in the system font and set too short an extent.
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(listBox, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.get(), font);
    return measure(dc.get(), text);
}

std::string listBoxLine(HWND listBox, int index)
{
    LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(buffer.data()));
    if (got == LB_ERR)
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(got));
}

int widestListBoxLine(HWND listBox)
{
    int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    if (count <= 0)
        return 0;
    WindowDC dc(listBox);
    if (!dc)
        return 0;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(listBox, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.get(), font);
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        int width = measure(dc.get(), listBoxLine(listBox, i));
        if (width > widest)
            widest = width;
    }
    return widest;
}
