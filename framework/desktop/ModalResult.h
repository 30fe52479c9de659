#pragma once
// How a modal window or message box was closed: the button the user pressed. Message boxes
// answer with the same numbers (IDOK is mrOk, and so on).

namespace dsp {

using TModalResult = int;

constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

constexpr int IDOK = mrOk;
constexpr int IDCANCEL = mrCancel;
constexpr int IDABORT = mrAbort;
constexpr int IDRETRY = mrRetry;
constexpr int IDIGNORE = mrIgnore;
constexpr int IDYES = mrYes;
constexpr int IDNO = mrNo;

}  // namespace dsp
