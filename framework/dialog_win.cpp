#include "framework/dialog_win.h"

#include "framework/application_win.h"
#include "framework/data_exchange_win.h"
#include "framework/window_text_win.h"

#include <stdexcept>

namespace {

constexpr char objectProperty[] = "Quintarel.Dialog";

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool returnsDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return true;
    default:
        return false;
    }
}

// One message filter hook per thread while modeless dialogs exist: modal loops call it with
// every message they fetch, so a modeless window keeps its accelerators and dialog keys while
// another window of the program runs a modal loop.
thread_local HHOOK messageFilterHook = nullptr;
thread_local int modelessDialogs = 0;
// The message being offered: IsDialogMessage hands it to the filter once more, where it must
// not be offered again. A loop nested in a handler (a run started by Enter, a file dialog
// opened by Ctrl+O) fetches other messages, and those are offered.
thread_local const MSG* offeredMessage = nullptr;

bool isOffered(const MSG& message)
{
    // IsDialogMessageA may hand the filter a converted copy, with wParam in another code.
    return offeredMessage && offeredMessage->hwnd == message.hwnd &&
           offeredMessage->message == message.message &&
           offeredMessage->lParam == message.lParam && offeredMessage->time == message.time;
}

// A loop that is not ours may have fetched its message as UTF-16, and the dialogs' keyboard
// is ANSI: it would convert a character above 0x7F once more ("あ" typed arriving as "B"). Such
// a character goes to its control as that loop fetched it; no dialog key is one.
bool isCharacterBeyondAscii(const MSG& message)
{
    switch (message.message) {
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return message.wParam > 0x7F;
    default:
        return false;
    }
}

LRESULT CALLBACK offerFromModalLoop(int code, WPARAM wParam, LPARAM lParam)
{
    if ((code == MSGF_DIALOGBOX || code == MSGF_MESSAGEBOX) && lParam != 0 &&
        !isCharacterBeyondAscii(*reinterpret_cast<MSG*>(lParam)) &&
        Dialog::preTranslateForDialogs(*reinterpret_cast<MSG*>(lParam)))
        return 1;
    return CallNextHookEx(messageFilterHook, code, wParam, lParam);
}

void holdMessageFilter()
{
    if (modelessDialogs++ == 0)
        messageFilterHook = SetWindowsHookExA(WH_MSGFILTER, offerFromModalLoop, nullptr,
                                              GetCurrentThreadId());
}

void releaseMessageFilter()
{
    if (--modelessDialogs == 0 && messageFilterHook) {
        UnhookWindowsHookEx(messageFilterHook);
        messageFilterHook = nullptr;
    }
}

}  // namespace

WindowPart::WindowPart(Dialog& window) : window_(window)
{
    window_.parts_.push_back(this);
}

WindowPart::~WindowPart()
{
    auto& parts = window_.parts_;
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        if (*it == this) {
            parts.erase(it);
            break;
        }
    }
}

HWND WindowPart::hwnd() const
{
    return window_.hwnd();
}

MessageResult WindowPart::partProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageResult result;
    if (dispatchMessageMap(message, wParam, lParam, result))
        return result;
    return MessageResult::unhandled();
}

Dialog::Dialog(int templateId) : templateId_(templateId)
{
    claimProperty(objectProperty);
}

UINT Dialog::newPrivateMessage()
{
    while (messages_.count(nextMessage_))
        ++nextMessage_;
    if (nextMessage_ > 0xBFFF)
        throw std::logic_error("no private message left");
    return reserveMessage(nextMessage_++);
}

UINT Dialog::reserveMessage(UINT message)
{
    if (!messages_.insert(message).second)
        throw std::logic_error("a private message claimed twice");
    return message;
}

const char* Dialog::claimProperty(const char* name)
{
    if (!properties_.insert(name).second)
        throw std::logic_error("a window property claimed twice");
    return name;
}

Dialog::~Dialog()
{
    if (holdsMessageFilter_) {
        holdsMessageFilter_ = false;
        releaseMessageFilter();
    }
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropA(hwnd_, objectProperty);
        if (!modal_)
            DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::runModal(HWND owner)
{
    modal_ = true;
    ended_ = false;
    INT_PTR result = DialogBoxParamA(app::instance(), MAKEINTRESOURCEA(templateId_), owner,
                                     dialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

bool Dialog::createModeless(HWND owner)
{
    modal_ = false;
    ended_ = false;
    HWND window = CreateDialogParamA(app::instance(), MAKEINTRESOURCEA(templateId_), owner,
                                     dialogProc, reinterpret_cast<LPARAM>(this));
    if (window && !holdsMessageFilter_) {
        holdsMessageFilter_ = true;
        holdMessageFilter();
    }
    return window != nullptr;
}

void Dialog::destroyWindow()
{
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

void Dialog::endDialog(INT_PTR result)
{
    ended_ = true;
    result_ = result;
    if (modal_ && hwnd_)
        EndDialog(hwnd_, result);
    else if (hwnd_)
        // The loop may be waiting in GetMessage while a sent message ends it: wake it.
        PostMessageA(hwnd_, WM_NULL, 0, 0);
}

Dialog* Dialog::fromWindow(HWND window)
{
    if (!window)
        return nullptr;
    return static_cast<Dialog*>(GetPropA(window, objectProperty));
}

bool Dialog::preTranslateMessage(MSG& message)
{
    if (modal_ || !hwnd_)
        return false;
    return IsDialogMessageA(hwnd_, &message) != FALSE;
}

INT_PTR Dialog::runMessageLoop()
{
    MSG message;
    while (!ended_) {
        // Between messages the watched handles get their turn; GetMessage then finds a
        // message at once.
        while (!ended_ && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
            waits_.waitForMessageOrSignal(INFINITE);
        if (ended_)
            break;
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Leave the quit message for whoever runs the next loop out.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        dispatchLoopMessage(message);
    }
    return result_;
}

bool Dialog::preTranslateForDialogs(MSG& message)
{
    if (isOffered(message))
        return false;
    const MSG* outer = offeredMessage;
    offeredMessage = &message;
    bool consumed = false;
    // GetParent gives the owner of a top-level window: a control's message reaches its dialog,
    // and an owned window's the window that owns it.
    for (HWND window = message.hwnd; window && !consumed; window = GetParent(window)) {
        if (Dialog* dialog = fromWindow(window))
            consumed = dialog->preTranslateMessage(message);
    }
    offeredMessage = outer;
    return consumed;
}

void Dialog::dispatchLoopMessage(MSG& message)
{
    if (preTranslateForDialogs(message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool Dialog::updateData(bool fromControls)
{
    DataExchange exchange(*this, fromControls);
    exchangeData(exchange);
    return !exchange.failed();
}

void Dialog::exchangeData(DataExchange&) {}

BOOL Dialog::onInitDialog()
{
    updateData(false);
    return TRUE;
}

void Dialog::onOK()
{
    if (updateData(true))
        endDialog(IDOK);
}

void Dialog::onCancel()
{
    endDialog(IDCANCEL);
}

std::string Dialog::itemText(int id) const
{
    return windowText(item(id));
}

void Dialog::setItemText(int id, const std::string& text)
{
    SetDlgItemTextA(hwnd_, id, text.c_str());
}

bool MessageMapped::dispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam,
                                MessageResult& result)
{
    MessageMap map = messageMap();
    for (std::size_t i = 0; i < map.count; ++i) {
        const MessageMapEntry& entry = map.entries[i];
        if (entry.message != message)
            continue;
        if (message == WM_COMMAND) {
            if (entry.id != LOWORD(wParam) || entry.code != HIWORD(wParam))
                continue;
        } else if (message == WM_NOTIFY) {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (!header || entry.id != header->idFrom || entry.code != header->code)
                continue;
        }
        if (entry.onCommand) {
            (this->*entry.onCommand)();
            result = MessageResult::of(0);
        } else {
            result = (this->*entry.onMessage)(wParam, lParam);
        }
        return true;
    }
    return false;
}

MessageResult Dialog::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultWindowProc(message, wParam, lParam);
}

MessageResult Dialog::defaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageResult result;
    if (dispatchMessageMap(message, wParam, lParam, result) && result.handled)
        return result;
    // A part may go while a message is handled (a window that ends its own parts): a copy.
    std::vector<WindowPart*> parts = parts_;
    for (WindowPart* part : parts) {
        result = part->partProc(message, wParam, lParam);
        if (result.handled)
            return result;
    }
    // The system scales a dialog's controls and fonts when its own handling of the message
    // runs, after this procedure: what was measured in pixels follows once that is done.
    static const UINT dpiScaledMessage = RegisterWindowMessageA("Quintarel.DpiScaled");
    if (message == dpiScaledMessage && dpiScaledMessage) {
        UINT dpi = static_cast<UINT>(wParam);
        onDpiChanged(dpi);
        for (WindowPart* part : std::vector<WindowPart*>(parts_))
            part->onDpiChanged(dpi);
        return MessageResult::of(0);
    }
    switch (message) {
    case WM_DPICHANGED: {
        // The window takes the place and size the system suggests for the new DPI.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested)
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        PostMessageA(hwnd_, dpiScaledMessage, LOWORD(wParam), 0);
        break;
    }
    case WM_INITDIALOG:
        return MessageResult::of(onInitDialog());
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 || HIWORD(wParam) == 1) {
            if (LOWORD(wParam) == IDOK) {
                onOK();
                return MessageResult::of(0);
            }
            if (LOWORD(wParam) == IDCANCEL) {
                onCancel();
                return MessageResult::of(0);
            }
        }
        break;
    case WM_DESTROY:
        onWindowDestroyed();
        break;
    default:
        break;
    }
    return MessageResult::unhandled();
}

INT_PTR CALLBACK Dialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = window;
        SetPropA(window, objectProperty, self);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        // Not the property: asking for one costs a round trip to the system at every message,
        // and a menu of thousands of owner-drawn items sends two messages per item.
        self = fromOwnWindow(window);
    }
    if (!self)
        return FALSE;

    MessageResult answer = self->windowProc(message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        RemovePropA(window, objectProperty);
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        if (self->holdsMessageFilter_) {
            self->holdsMessageFilter_ = false;
            releaseMessageFilter();
        }
    }
    if (!answer.handled)
        return FALSE;
    if (returnsDirectly(message))
        return static_cast<INT_PTR>(answer.value);
    SetWindowLongPtrA(window, DWLP_MSGRESULT, answer.value);
    return TRUE;
}
