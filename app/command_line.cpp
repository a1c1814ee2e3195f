#include "app/command_line.h"

#include <algorithm>
#include <cctype>

namespace app {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Argument 0 knows no backslash rules: a path like "C:\Saver\" must survive.
size_t TakeProgramName(std::string_view line, std::vector<std::string>& out) {
  if (!line.empty() && line[0] == '"') {
    const size_t close = line.find('"', 1);
    const size_t end = close == std::string_view::npos ? line.size() : close;
    out.emplace_back(line.substr(1, end - 1));
    return std::min(end + 1, line.size());
  }
  size_t end = 0;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  out.emplace_back(line.substr(0, end));
  return end;
}

// One argument from position i; returns the position after it.
size_t TakeArgument(std::string_view line, size_t i, std::string& arg) {
  bool quoted = false;
  while (i < line.size() && (quoted || !IsBlank(line[i]))) {
    if (line[i] == '\\') {
      size_t slashes = 0;
      while (i < line.size() && line[i] == '\\') ++slashes, ++i;
      const bool beforeQuote = i < line.size() && line[i] == '"';
      arg.append(beforeQuote ? slashes / 2 : slashes, '\\');
      if (beforeQuote && slashes % 2 == 1) arg += line[i++];
    } else if (line[i] == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        arg += '"';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
    } else {
      arg += line[i++];
    }
  }
  return i;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> out;
  size_t i = TakeProgramName(commandLine, out);
  for (;;) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i >= commandLine.size()) return out;
    std::string arg;
    i = TakeArgument(commandLine, i, arg);
    out.push_back(std::move(arg));
  }
}

SaverMode ModeFromArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2 || arguments[1].size() < 2) return SaverMode::None;
  switch (std::tolower(static_cast<unsigned char>(arguments[1][1]))) {
    case 'c': return SaverMode::Settings;
    case 's': return SaverMode::Saver;
    case 'p': return SaverMode::Preview;
    case 'a': return SaverMode::Password;
    default: return SaverMode::None;
  }
}

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' は整数ではありません") {}

int32_t StrToInt(std::string_view text) {
  std::string_view digits = text;
  const bool negative = !digits.empty() && digits[0] == '-';
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
  if (digits.empty()) throw ConversionError(std::string(text));
  const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 32) - 1;
  int64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') throw ConversionError(std::string(text));
    value = value * 10 + (c - '0');
    if (value > limit) throw ConversionError(std::string(text));
  }
  return static_cast<int32_t>(static_cast<uint32_t>(negative ? -value : value));
}

int32_t PreviewHandleFromArguments(const std::vector<std::string>& arguments) {
  return StrToInt(arguments.size() > 2 ? arguments[2] : std::string());
}

}  // namespace app
