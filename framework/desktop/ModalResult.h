#pragma once
// How a modal window or message box was closed: the button the user pressed. Message boxes
// answer with the same numbers (IDOK is mrOk, and so on).

namespace dsp {

using TModalResult = int;

inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;

inline constexpr int IDOK = mrOk;
inline constexpr int IDCANCEL = mrCancel;
inline constexpr int IDABORT = mrAbort;
inline constexpr int IDRETRY = mrRetry;
inline constexpr int IDIGNORE = mrIgnore;
inline constexpr int IDYES = mrYes;
inline constexpr int IDNO = mrNo;

}  // namespace dsp
