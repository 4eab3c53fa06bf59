#pragma once

#include <QString>

// Result codes of opening a web address. Codes above 32 mean the browser was started;
// the others name what went wrong, as the Windows shell reports it.
inline constexpr int kHyperlinkOpened = 33;
inline constexpr int kHyperlinkFileNotFound = 2;
inline constexpr int kHyperlinkNoAssociation = 31;

inline bool hyperlinkOpened(int code) { return code > 32; }

// The text that explains a failure code: "The specified file was not found." for 2,
// "Unknown Error (4) occurred." for a code outside the known list.
QString hyperlinkErrorText(int code);

// The whole message shown when a link cannot be opened: "Unable to open hyperlink:",
// a blank line, then the code's text.
QString hyperlinkErrorMessage(int code);
