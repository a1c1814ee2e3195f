#pragma once
// The screen-saver command line. The entry point hands over the whole command
// line (program name first) as UTF-8, converted from the wide command line, so
// that no trail byte of a double-byte character is taken for a backslash or a
// quote and no character is lost to a code page.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace app {

enum class SaverMode { None, Settings, Saver, Preview, Password };

// Splits like the system's command-line splitter: blanks and tabs separate;
// double quotes group and are removed; 2n backslashes before a quote give n
// backslashes, 2n+1 give n and a literal quote; "" inside quotes is a literal
// quote. Argument 0, the program name, ends at the next quote when quoted and
// at the first blank otherwise, without backslash rules.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// By the second character of argument 1 in either case: c, s, p, a, in this
// order; None when there is no second character or it matches none.
SaverMode ModeFromArguments(const std::vector<std::string>& arguments);

// The toolkit's conversion failure; what() is the UTF-8 message
// "'<text>' は整数ではありません".
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& text);
};

// A decimal integer: an optional sign and digits only. Values from
// -2147483648 to 4294967295 are taken and returned as their 32 bits, so a
// window handle written as unsigned fits too. Throws ConversionError.
int32_t StrToInt(std::string_view text);

// Argument 2 as the preview window's handle (32 bits); a missing argument 2
// fails like an empty text.
int32_t PreviewHandleFromArguments(const std::vector<std::string>& arguments);

}  // namespace app
