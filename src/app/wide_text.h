// Texts are GBK bytes; windows show them through the wide API so they read
// right whatever the system's ANSI code page. Paths use the ANSI code page.
#pragma once
#include <windows.h>
#include <string>

namespace orvex {

constexpr UINT kTextCodePage = 936;

std::wstring WideFromCodePage(const std::string& text, UINT codePage);
std::string CodePageFromWide(const std::wstring& text, UINT codePage);

inline std::wstring WideText(const std::string& gbk) { return WideFromCodePage(gbk, kTextCodePage); }
inline std::wstring WidePath(const std::string& path) { return WideFromCodePage(path, CP_ACP); }
inline std::string AnsiPath(const std::wstring& path) { return CodePageFromWide(path, CP_ACP); }
inline std::string GbkText(const std::wstring& text) { return CodePageFromWide(text, kTextCodePage); }

} // namespace orvex
