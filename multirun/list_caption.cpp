#include "multirun/list_caption.h"

#include "common/path_text.h"

const char multiRunCaptionText[] = "複数実行";

std::string listDisplayName(const std::string& path)
{
    PathParts parts = splitPath(path);
    return parts.name + parts.extension;
}

std::string multiRunCaption(const std::string& listName)
{
    if (listName.empty())
        return multiRunCaptionText;
    return std::string(multiRunCaptionText) + "(" + listName + ")";
}
