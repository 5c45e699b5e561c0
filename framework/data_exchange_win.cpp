#include "framework/data_exchange_win.h"

#include "framework/dialog_win.h"
#include "framework/message_box_win.h"
#include "framework/number_text.h"
#include "framework/window_text_win.h"


DataExchange::DataExchange(Dialog& dialog, bool fromControls)
    : dialog_(dialog), fromControls_(fromControls)
{
}

void DataExchange::fail(int id, const std::string& message, UINT icon)
{
    appMessageBox(message, MB_OK | icon);
    HWND control = dialog_.item(id);
    if (control) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    failed_ = true;
}

void DataExchange::text(int id, std::string& value, std::size_t maxChars)
{
    if (failed_)
        return;
    HWND control = dialog_.item(id);
    if (!control)
        return;
    if (fromControls_) {
        value = windowText(control);
        if (maxChars != 0 && value.size() > maxChars)
            value.resize(maxChars);
    } else {
        if (maxChars != 0)
            SendMessageA(control, EM_LIMITTEXT, maxChars, 0);
        SetWindowTextA(control, value.c_str());
    }
}

template <class Number, class Parse>
void DataExchange::number(int id, Number& value, Parse parse, const char* badTextMessage)
{
    if (failed_)
        return;
    HWND control = dialog_.item(id);
    if (!control)
        return;
    if (!fromControls_) {
        SetWindowTextA(control, std::to_string(value).c_str());
        return;
    }
    Number read = 0;
    if (!parse(windowText(control), read)) {
        fail(id, badTextMessage, 0);
        return;
    }
    value = read;
}

void DataExchange::unsignedNumber(int id, std::uint32_t& value)
{
    number(id, value, parseUnsignedText, badPositiveIntegerMessage);
}

void DataExchange::signedNumber(int id, std::int32_t& value)
{
    number(id, value, parseSignedText, badIntegerMessage);
}

void DataExchange::range(int id, long long value, long long low, long long high)
{
    if (failed_ || !fromControls_)
        return;
    if (value < low || value > high)
        fail(id, rangeMessage(low, high), MB_ICONEXCLAMATION);
}

void DataExchange::check(int id, int& value)
{
    if (failed_)
        return;
    HWND control = dialog_.item(id);
    if (!control)
        return;
    if (fromControls_) {
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        SendMessageA(control, BM_SETCHECK, value == 0 ? BST_UNCHECKED
                                           : value == 2 ? BST_INDETERMINATE
                                                        : BST_CHECKED,
                     0);
    }
}

void DataExchange::check(int id, bool& value)
{
    int state = value ? 1 : 0;
    check(id, state);
    if (fromControls_ && !failed_)
        value = state != 0;
}

void DataExchange::radio(int firstId, int lastId, int& value)
{
    if (failed_)
        return;
    if (fromControls_) {
        value = -1;
        for (int id = firstId; id <= lastId; ++id) {
            HWND control = dialog_.item(id);
            if (control && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                value = id - firstId;
                break;
            }
        }
    } else {
        for (int id = firstId; id <= lastId; ++id) {
            HWND control = dialog_.item(id);
            if (control)
                SendMessageA(control, BM_SETCHECK,
                             id - firstId == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}
