#pragma once
// The program's text model: every text (paths, the message, registry texts,
// file names) is UTF-8 in a std::string and becomes UTF-16 only at the Win32
// boundary. A file name may hold a surrogate that has no partner; it is kept
// as the three bytes its code unit would take in UTF-8 (the encoding known as
// WTF-8), so every UTF-16 text comes back from UTF-8 unit for unit and no
// name is ever rewritten. Bytes that are not UTF-8 at all (never made by the
// program itself) read as U+FFFD.
#include <string>
#include <string_view>

namespace platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point (or lone surrogate) at `at`, which then moves past it.
char32_t DecodeUtf8(std::string_view text, size_t& at);
// Appends the code point (or lone surrogate) as DecodeUtf8 reads it back.
void AppendUtf8(std::string& out, char32_t c);

template <class Unit>
std::basic_string<Unit> Utf16FromUtf8(std::string_view text);
template <class Unit>
std::string Utf8FromUtf16(std::basic_string_view<Unit> text);

// The Win32 side's spelling; wchar_t is a UTF-16 unit there.
inline std::wstring WideFromUtf8(std::string_view text) { return Utf16FromUtf8<wchar_t>(text); }
inline std::string Utf8FromWide(std::wstring_view text) { return Utf8FromUtf16<wchar_t>(text); }

}  // namespace platform
