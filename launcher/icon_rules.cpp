#include "launcher/icon_rules.h"

#include "common/dbcs.h"

namespace {

const char* const ownPictureTypes[] = {"exe", "scr", "cpl", "lnk", "url", "pif",
                                       "ico", "cur", "ani"};

}  // namespace

std::string lowerExtension(const std::string& name)
{
    // A dot is never a trail byte; a trail byte may look like a capital letter, so only the
    // single-byte characters are lowered.
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string extension = name.substr(dot + 1);
    for (std::size_t i = 0; i < extension.size(); ++i) {
        char& c = extension[i];
        if (isLeadByte(c))
            ++i;
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return extension;
}

bool isShellLinkName(const std::string& name)
{
    std::string extension = lowerExtension(name);
    return extension == "lnk" || extension == "url" || extension == "pif";
}

bool iconDependsOnFile(const std::string& name, const EntryKind& kind)
{
    if (kind.folder)
        return kind.readOnlyOrSystem;
    std::string extension = lowerExtension(name);
    for (const char* type : ownPictureTypes) {
        if (extension == type)
            return true;
    }
    return false;
}
