// Dialogs made from templates, modal or modeless, and the parts of a window. One static dialog
// procedure finds the object and hands it every message: first to windowProc (which a class
// overrides to see messages first), then to the class's message map, then to the maps of the
// parts chained to the window, in the order they were chained, then to the built-in handling of
// initialisation, OK and Cancel.
#pragma once

#include "framework/waitables_win.h"

#include <windows.h>

#include <cstddef>
#include <set>
#include <string>
#include <vector>

class DataExchange;
class Dialog;

// What a handler answers: whether it took the message, and its result.
struct MessageResult {
    bool handled = false;
    LRESULT value = 0;

    static MessageResult unhandled() { return {}; }
    static MessageResult of(LRESULT value) { return {true, value}; }
};

// What a window and each of its parts share: a message map, a static table of (message,
// control id, notification) to a member handler.
class MessageMapped {
public:
    virtual ~MessageMapped() = default;

protected:
    using CommandHandler = void (MessageMapped::*)();
    using MessageHandler = MessageResult (MessageMapped::*)(WPARAM, LPARAM);

    // One line of a message map: a command (WM_COMMAND with id and notification code), a
    // notification (WM_NOTIFY with id and code), or any other message. A message handler may
    // answer unhandled() to let the next map or the default handling have the message.
    struct MessageMapEntry {
        UINT message;
        UINT id;
        UINT code;
        CommandHandler onCommand;
        MessageHandler onMessage;
    };
    struct MessageMap {
        const MessageMapEntry* entries;
        std::size_t count;
    };

    template <class D>
    static MessageMapEntry command(UINT id, void (D::*handler)(), UINT code = BN_CLICKED)
    {
        return {WM_COMMAND, id, code, static_cast<CommandHandler>(handler), nullptr};
    }
    template <class D>
    static MessageMapEntry notify(UINT id, UINT code, void (D::*handler)())
    {
        return {WM_NOTIFY, id, code, static_cast<CommandHandler>(handler), nullptr};
    }
    template <class D>
    static MessageMapEntry message(UINT message, MessageResult (D::*handler)(WPARAM, LPARAM))
    {
        return {message, 0, 0, nullptr, static_cast<MessageHandler>(handler)};
    }
    template <std::size_t N>
    static MessageMap mapOf(const MessageMapEntry (&entries)[N])
    {
        return {entries, N};
    }

    virtual MessageMap messageMap() const { return {nullptr, 0}; }
    // Walks the map: true when an entry took the message and answered it handled.
    bool dispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, MessageResult& result);
};

// A part of a window: a subsystem that serves one window (the launcher, the folder settings,
// the tray icon) with a message map of its own, which the window's map chains to. It asks the
// window for the timer ids, private messages and window properties it needs.
class WindowPart : public MessageMapped {
public:
    // Chains the part to the window for as long as the part lives.
    explicit WindowPart(Dialog& window);
    ~WindowPart() override;
    WindowPart(const WindowPart&) = delete;
    WindowPart& operator=(const WindowPart&) = delete;

    Dialog& window() const { return window_; }
    HWND hwnd() const;

    // Sees each message the window's own map and the parts chained before left; the default
    // walks the part's map.
    virtual MessageResult partProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window moved to a monitor of another DPI, and the system has scaled its controls and
    // fonts: what the part measured in pixels is measured again.
    virtual void onDpiChanged(UINT /*dpi*/) {}

private:
    Dialog& window_;
};

class Dialog : public MessageMapped {
public:
    explicit Dialog(int templateId);
    virtual ~Dialog();

    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally and answers how it ended (IDOK, IDCANCEL, or -1 when it could not
    // be created).
    INT_PTR runModal(HWND owner);

    // Creates the window and returns at once; false when it could not be created.
    bool createModeless(HWND owner);

    // Destroys the window of a modeless dialog (a modal one ends through endDialog).
    virtual void destroyWindow();

    // Ends the dialog with a result. A modal dialog returns from runModal; a modeless one stops
    // its runMessageLoop.
    void endDialog(INT_PTR result);

    // The message loop of a modeless main dialog: fetches and dispatches every message of the
    // thread, offering each to the dialogs it is meant for first, until endDialog or WM_QUIT.
    INT_PTR runMessageLoop();

    // What every loop of ours does with a fetched message: offer it to the modeless dialogs it
    // is meant for, and translate and dispatch it when none consumed it. Loops that are not
    // ours (modal dialogs, message boxes, the shell's boxes) offer it through a message filter
    // hook that lives as long as a modeless dialog of the thread does.
    static void dispatchLoopMessage(MSG& message);
    // Offers a message to the dialogs of its window and the windows above it; true when one
    // consumed it.
    static bool preTranslateForDialogs(MSG& message);

    HWND hwnd() const { return hwnd_; }
    bool isOpen() const { return hwnd_ != nullptr && IsWindow(hwnd_); }
    bool isModal() const { return modal_; }
    int templateId() const { return templateId_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string itemText(int id) const;
    void setItemText(int id, const std::string& text);

    // Moves data between the controls and the members: from the controls (true) with
    // validation, or into them (false). Answers false when a value was refused.
    bool updateData(bool fromControls);

    // The object of one of our dialog windows, or nullptr.
    static Dialog* fromWindow(HWND window);
    // The same for a window known to be one of ours (whose procedure this class installed):
    // no round trip to the system, for what runs at every message.
    static Dialog* fromOwnWindow(HWND window)
    {
        return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    // The window's part of that type, or nullptr.
    template <class Part>
    Part* partOfType() const
    {
        for (WindowPart* part : parts_)
            if (auto* found = dynamic_cast<Part*>(part))
                return found;
        return nullptr;
    }

    // Offered each message of runMessageLoop that is meant for this window or its children;
    // true when the message was consumed. Modeless dialogs get the dialog keyboard here.
    virtual bool preTranslateMessage(MSG& message);

    // What the parts of the window ask for, so that no two collide: a timer id, a private
    // message, a message whose number other programs know already (the tray's callback), a
    // window property by name. A second claim of one message or name is a fault of ours.
    UINT_PTR newTimerId() { return nextTimerId_++; }
    UINT newPrivateMessage();
    UINT reserveMessage(UINT message);
    const char* claimProperty(const char* name);

    // The handles this window's message loop waits on beside its messages.
    WaitSet& waits() { return waits_; }

    // Answers a message the way the dialog would. Tests call it as the system would.
    MessageResult handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return windowProc(message, wParam, lParam);
    }

protected:
    // Sees every message first; the default walks the message map and the built-in handling.
    virtual MessageResult windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    MessageResult defaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Default: show the data in the controls; answer TRUE so the focus goes to the first
    // control.
    virtual BOOL onInitDialog();
    // Default: read the controls and end with IDOK when they are valid.
    virtual void onOK();
    // Default: end with IDCANCEL.
    virtual void onCancel();
    virtual void exchangeData(DataExchange& exchange);
    // Called as the window is destroyed (WM_DESTROY), before its handle goes.
    virtual void onWindowDestroyed() {}
    // As for a part: after the system has scaled the window for the new DPI.
    virtual void onDpiChanged(UINT /*dpi*/) {}

private:
    friend class WindowPart;
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND hwnd_ = nullptr;
    bool holdsMessageFilter_ = false;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
    std::vector<WindowPart*> parts_;
    UINT_PTR nextTimerId_ = 1;
    UINT nextMessage_ = WM_APP + 1;
    std::set<UINT> messages_;
    std::set<std::string> properties_;
    WaitSet waits_;
};
