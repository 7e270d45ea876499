#pragma once

#include <string>
#include <string_view>

namespace solvarine::win32 {

// The core speaks UTF-8; Windows speaks UTF-16. Invalid sequences become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The system's description of a Win32 error code or HRESULT, with the code in hex: for messages.
std::string ErrorText(unsigned long code);

}  // namespace solvarine::win32
