#include "launcher/shell_icon_win.h"

#include "framework/handles_win.h"
#include "settings/display_scale.h"

#include <commoncontrols.h>
#include <shellapi.h>

#include <vector>

namespace {

struct ShellImageLists {
    std::vector<HIMAGELIST> lists;
    std::vector<std::int32_t> edges;
    std::int32_t smallEdge = 16;
    std::int32_t largeEdge = 32;
};

// The shell's lists and the edge of their images, asked once: they follow the system's DPI,
// which holds for the life of the process, and the shell keeps them for as long.
const ShellImageLists& shellImageLists()
{
    static const ShellImageLists lists = [] {
        ShellImageLists found;
        for (int kind : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
            IImageList* list = nullptr;
            if (FAILED(SHGetImageList(kind, __uuidof(IImageList), reinterpret_cast<void**>(&list))) ||
                !list)
                continue;
            int cx = 0;
            int cy = 0;
            if (SUCCEEDED(list->GetIconSize(&cx, &cy)) && cx > 0) {
                // The interface and the list handle are one object in the common controls.
                found.lists.push_back(reinterpret_cast<HIMAGELIST>(list));
                found.edges.push_back(cx);
                if (kind == SHIL_SMALL)
                    found.smallEdge = cx;
                if (kind == SHIL_LARGE)
                    found.largeEdge = cx;
            }
            list->Release();
        }
        return found;
    }();
    return lists;
}

}  // namespace

ShellImageSource shellImageSourceFor(int edge)
{
    const ShellImageLists& lists = shellImageLists();
    ShellImageSource source;
    int chosen = shellImageFor(edge, lists.edges);
    if (chosen >= 0)
        source.list = lists.lists[static_cast<std::size_t>(chosen)];
    source.sizeFlag = edge <= lists.smallEdge ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    source.wholeIconsSmaller =
        source.list && lists.edges[static_cast<std::size_t>(chosen)] > lists.largeEdge;
    return source;
}

bool typeDrawsEachFile(const std::string& extension)
{
    // The value need not end in a zero when it fills the buffer: one byte is kept for it.
    char type[256] = {};
    LONG size = sizeof(type) - 1;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, ("." + extension).c_str(), type, &size) !=
            ERROR_SUCCESS ||
        !type[0])
        return false;
    std::string progId = type;
    RegistryKey handler;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, (progId + "\\shellex\\IconHandler").c_str(), 0,
                      KEY_READ, &opened) == ERROR_SUCCESS) {
        handler.reset(opened);
        return true;
    }
    char icon[MAX_PATH] = {};
    size = sizeof(icon) - 1;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, (progId + "\\DefaultIcon").c_str(), icon, &size) !=
        ERROR_SUCCESS)
        return false;
    std::string value = icon;
    value.erase(0, value.find_first_not_of(" \""));
    return value.compare(0, 2, "%1") == 0;
}
