#include "framework/controls_win.h"

#include "framework/handles_win.h"

#include <commctrl.h>

#include <algorithm>

namespace {

bool added(LRESULT result)
{
    return result != LB_ERR && result != LB_ERRSPACE;
}

int measure(HDC dc, const std::string& text)
{
    SIZE size{};
    int length = static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF));
    if (!GetTextExtentPoint32A(dc, text.c_str(), length, &size))
        return 0;
    return size.cx;
}

HGDIOBJ fontOf(HWND control)
{
    return reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
}

}  // namespace

int ListBox::count() const
{
    LRESULT count = SendMessageA(box_, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int ListBox::add(const std::string& line)
{
    LRESULT at = SendMessageA(box_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    return added(at) ? static_cast<int>(at) : -1;
}

int ListBox::insert(int index, const std::string& line)
{
    LRESULT at = SendMessageA(box_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                              reinterpret_cast<LPARAM>(line.c_str()));
    return added(at) ? static_cast<int>(at) : -1;
}

void ListBox::remove(int index)
{
    SendMessageA(box_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBox::clear()
{
    SendMessageA(box_, LB_RESETCONTENT, 0, 0);
}

std::string ListBox::line(int index) const
{
    LRESULT length = SendMessageA(box_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(box_, LB_GETTEXT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(buffer.data()));
    if (got == LB_ERR)
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(got));
}

void ListBox::setData(int index, LPARAM data)
{
    SendMessageA(box_, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int ListBox::selection() const
{
    LRESULT selected = SendMessageA(box_, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR || selected < 0 ? -1 : static_cast<int>(selected);
}

void ListBox::select(int index)
{
    SendMessageA(box_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ListBox::textWidth(const std::string& text) const
{
    WindowDC dc(box_);
    if (!dc)
        return 0;
    SelectedObject font(dc.get(), fontOf(box_));
    return measure(dc.get(), text);
}

int ListBox::widestLine() const
{
    int lines = count();
    if (lines <= 0)
        return 0;
    WindowDC dc(box_);
    if (!dc)
        return 0;
    SelectedObject font(dc.get(), fontOf(box_));
    int widest = 0;
    for (int i = 0; i < lines; ++i)
        widest = std::max(widest, measure(dc.get(), line(i)));
    return widest;
}

int ListBox::horizontalExtent() const
{
    return static_cast<int>(SendMessageA(box_, LB_GETHORIZONTALEXTENT, 0, 0));
}

void ListBox::setHorizontalExtent(int pixels)
{
    SendMessageA(box_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels), 0);
}

void ListBox::fitExtentToLines(bool roomForScrollBar)
{
    setHorizontalExtent(widestLine() + (roomForScrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0));
}

void ListBox::widenExtentFor(const std::string& line)
{
    int width = textWidth(line);
    if (width > horizontalExtent())
        setHorizontalExtent(width);
}

void setUpHotkeyField(HWND field, WORD key)
{
    SendMessageA(field, HKM_SETRULES, HKCOMB_NONE, MAKELPARAM(HOTKEYF_ALT, 0));
    setHotkeyFieldValue(field, key);
}

WORD hotkeyFieldValue(HWND field)
{
    return static_cast<WORD>(SendMessageA(field, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
}

void setHotkeyFieldValue(HWND field, WORD key)
{
    SendMessageA(field, HKM_SETHOTKEY, key, 0);
}

HICON loadIconForDpi(HINSTANCE instance, int id, IconSize size)
{
    // LoadIconMetric (common controls 6, Windows Vista) picks the resource's image of the size
    // wanted, or scales a larger one down rather than a smaller one up. Looked up in the
    // common controls the process already uses: by path it would be the older version.
    using LoadIconMetricFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    static const auto loadIconMetric = [] {
        HMODULE controls = GetModuleHandleA("comctl32.dll");
        return controls ? reinterpret_cast<LoadIconMetricFn>(reinterpret_cast<void*>(
                              GetProcAddress(controls, "LoadIconMetric")))
                        : nullptr;
    }();
    HICON icon = nullptr;
    if (loadIconMetric &&
        SUCCEEDED(loadIconMetric(instance, MAKEINTRESOURCEW(id),
                                 size == IconSize::small ? 0 /* LIM_SMALL */ : 1 /* LIM_LARGE */,
                                 &icon)))
        return icon;
    int edge = GetSystemMetrics(size == IconSize::small ? SM_CXSMICON : SM_CXICON);
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, edge, edge, LR_DEFAULTCOLOR));
}

void setWindowIcons(HWND window, HICON big, HICON small)
{
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

std::vector<DroppedPath> droppedRealPaths(HDROP drop)
{
    std::vector<DroppedPath> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
        DragQueryFileW(drop, i, wide.data(), length + 1);
        DroppedPath dropped;
        BOOL usedDefault = FALSE;
        int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), -1, nullptr, 0,
                                        nullptr, &usedDefault);
        if (bytes > 0) {
            std::vector<char> ansi(static_cast<std::size_t>(bytes), '\0');
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), -1, ansi.data(), bytes,
                                nullptr, &usedDefault);
            dropped.path = ansi.data();
        }
        if (usedDefault || bytes <= 0)
            dropped.realPath.assign(reinterpret_cast<const char16_t*>(wide.data()));
        paths.push_back(std::move(dropped));
    }
    return paths;
}

std::vector<std::string> droppedPaths(HDROP drop)
{
    std::vector<std::string> paths;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
        UINT got = DragQueryFileA(drop, i, buffer.data(), length + 1);
        paths.emplace_back(buffer.data(), std::min(got, length));
    }
    return paths;
}
