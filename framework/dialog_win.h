// Dialogs made from templates, modal or modeless. One static dialog procedure finds the object
// and hands it every message: first to windowProc (which a class overrides to see messages
// first), then to the class's message map, then to the built-in handling of initialisation,
// OK and Cancel.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class DataExchange;

// What a handler answers: whether it took the message, and its result.
struct MessageResult {
    bool handled = false;
    LRESULT value = 0;

    static MessageResult unhandled() { return {}; }
    static MessageResult of(LRESULT value) { return {true, value}; }
};

class Dialog {
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

    // Moves data between the controls and the members: from the controls (true) with
    // validation, or into them (false). Answers false when a value was refused.
    bool updateData(bool fromControls);

    // The object of one of our dialog windows, or nullptr.
    static Dialog* fromWindow(HWND window);

    // Offered each message of runMessageLoop that is meant for this window or its children;
    // true when the message was consumed. Modeless dialogs get the dialog keyboard here.
    virtual bool preTranslateMessage(MSG& message);

    // Answers a message the way the dialog would. Tests call it as the system would.
    MessageResult handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return windowProc(message, wParam, lParam);
    }

protected:
    using CommandHandler = void (Dialog::*)();
    using MessageHandler = MessageResult (Dialog::*)(WPARAM, LPARAM);

    // One line of a message map: a command (WM_COMMAND with id and notification code), a
    // notification (WM_NOTIFY with id and code), or any other message. A message handler may
    // answer unhandled() to let the default handling run.
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

    std::string itemText(int id) const;
    void setItemText(int id, const std::string& text);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool dispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, MessageResult& result);

    int templateId_;
    HWND hwnd_ = nullptr;
    bool holdsMessageFilter_ = false;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};
