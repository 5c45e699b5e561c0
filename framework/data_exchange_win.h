// Moves values between a dialog's controls and its members. Reading from the controls checks
// each value; the first refusal shows its message, puts the focus on the offending edit box
// with its text selected, and makes every later call of the same exchange do nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class Dialog;

class DataExchange {
public:
    DataExchange(Dialog& dialog, bool fromControls);

    bool fromControls() const { return fromControls_; }
    bool failed() const { return failed_; }

    // Text of a control; maxChars (when not 0) limits what the user can type and what is read.
    void text(int id, std::string& value, std::size_t maxChars = 0);

    // Unsigned decimal; bad text gives "正の整数を入力してください。".
    void unsignedNumber(int id, std::uint32_t& value);
    // Signed decimal; bad text gives "整数を入力してください。".
    void signedNumber(int id, std::int32_t& value);

    // After a number was read: outside low..high gives the range message (exclamation icon).
    void range(int id, long long value, long long low, long long high);

    // Check box: 0 clear, 1 checked, 2 indeterminate.
    void check(int id, int& value);
    void check(int id, bool& value);

    // A group of radio buttons with consecutive ids from firstId: the index of the checked one,
    // -1 when none is checked.
    void radio(int firstId, int lastId, int& value);

private:
    void fail(int id, const std::string& message, UINT icon);
    template <class Number, class Parse>
    void number(int id, Number& value, Parse parse, const char* badTextMessage);

    Dialog& dialog_;
    bool fromControls_;
    bool failed_ = false;
};
