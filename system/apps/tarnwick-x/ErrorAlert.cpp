#include "ErrorAlert.h"

#include <Dialogs.h>
#include <TextUtils.h>

namespace {

constexpr SInt16 kErrorAlertID = 10001;
constexpr SInt16 kMessageAlertID = 10002;

ConstStr255Param OrEmpty(ConstStr255Param text)
{
    return text ? text : PSTR("");
}

} // namespace

void ShowErrorAlert(const ThrowError& error)
{
    if (error.justAMessage) {
        ParamText(OrEmpty(error.description), PSTR(""), PSTR(""), PSTR(""));
        StopAlert(kMessageAlertID, nullptr);
        return;
    }
    Str255 line, number;
    NumToString(static_cast<SInt32>(error.line), line);
    NumToString(ThrowErrorNumber(error), number);
    ParamText(OrEmpty(error.description), OrEmpty(error.fileName), line, number);
    StopAlert(kErrorAlertID, nullptr);
}
