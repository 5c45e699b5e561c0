// The portable core keeps its own copies of a few Win32 constants and layouts, so it builds
// without <windows.h>. Here each copy is held against the real one: a copy that drifts stops
// the build instead of misbehaving at run time.
#include "dialogs/hotkey_word.h"
#include "common/path_text.h"
#include "launcher/menu_layout.h"
#include "launcher/type_ahead.h"
#include "settings/launcher_settings.h"

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

static_assert(hotkeyShift == HOTKEYF_SHIFT && hotkeyControl == HOTKEYF_CONTROL &&
                  hotkeyAlt == HOTKEYF_ALT && hotkeyExtended == HOTKEYF_EXT,
              "hot key control flags");
static_assert(registerAlt == MOD_ALT && registerControl == MOD_CONTROL &&
                  registerShift == MOD_SHIFT,
              "RegisterHotKey modifiers");
static_assert(menuCharIgnore == MNC_IGNORE && menuCharSelect == MNC_SELECT, "WM_MENUCHAR answers");

static_assert(sizeof(FontRecord) == sizeof(LOGFONTA) && sizeof(FontRecord) == 60,
              "the font record is LOGFONTA byte for byte");
static_assert(offsetof(FontRecord, lfHeight) == offsetof(LOGFONTA, lfHeight) &&
                  offsetof(FontRecord, lfWeight) == offsetof(LOGFONTA, lfWeight) &&
                  offsetof(FontRecord, lfItalic) == offsetof(LOGFONTA, lfItalic) &&
                  offsetof(FontRecord, lfCharSet) == offsetof(LOGFONTA, lfCharSet) &&
                  offsetof(FontRecord, lfPitchAndFamily) == offsetof(LOGFONTA, lfPitchAndFamily) &&
                  offsetof(FontRecord, lfFaceName) == offsetof(LOGFONTA, lfFaceName),
              "the font record's fields lie where LOGFONTA's do");
static_assert(sizeof(FontRecord::lfFaceName) == LF_FACESIZE, "face name length");

static_assert(pathBufferSize == MAX_PATH, "path buffers are MAX_PATH long");
static_assert(launcherIdCount == 0x1000, "launcher command ids 0xA000 to 0xAFFF");
