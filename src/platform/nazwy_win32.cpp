#include "platform/nazwy.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

namespace {
constexpr UINT cp1250 = 1250;
}

std::filesystem::path sciezka_z_bajtow(std::string_view bajty) {
  if (bajty.empty()) return {};
  const int n =
      MultiByteToWideChar(cp1250, 0, bajty.data(), static_cast<int>(bajty.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(cp1250, 0, bajty.data(), static_cast<int>(bajty.size()), w.data(), n);
  return std::filesystem::path(w);
}

std::string bajty_sciezki(const std::filesystem::path& sciezka) {
  const std::wstring& w = sciezka.native();
  if (w.empty()) return {};
  // No best fit: a character the code page lacks becomes "?", which no file
  // name holds, rather than a look-alike naming another file.
  const int n = WideCharToMultiByte(cp1250, WC_NO_BEST_FIT_CHARS, w.data(),
                                    static_cast<int>(w.size()), nullptr, 0, "?", nullptr);
  std::string b(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(cp1250, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), b.data(),
                      n, "?", nullptr);
  return b;
}

bool czy_ukryty(const std::filesystem::path& sciezka) {
  const DWORD atrybuty = GetFileAttributesW(win32::nazwa_systemowa(sciezka).c_str());
  return atrybuty != INVALID_FILE_ATTRIBUTES &&
         (atrybuty & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

namespace win32 {

namespace {
std::wstring konwertuj(UINT strona, std::string_view tekst) {
  if (tekst.empty()) return {};
  const int n =
      MultiByteToWideChar(strona, 0, tekst.data(), static_cast<int>(tekst.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(strona, 0, tekst.data(), static_cast<int>(tekst.size()), w.data(), n);
  return w;
}
}  // namespace

std::wstring z_cp1250(std::string_view tekst) {
  return konwertuj(1250, tekst);
}

std::wstring z_utf8(std::string_view tekst) {
  return konwertuj(CP_UTF8, tekst);
}

std::string na_utf8(std::wstring_view tekst) {
  if (tekst.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()), s.data(), n,
                      nullptr, nullptr);
  return s;
}

std::wstring nazwa_systemowa(const std::filesystem::path& sciezka) {
  std::error_code blad;
  std::filesystem::path pelna = std::filesystem::absolute(sciezka, blad);
  if (blad) pelna = sciezka;
  std::wstring w = pelna.lexically_normal().native();
  for (wchar_t& c : w) {
    if (c == L'/') c = L'\\';
  }
  if (w.size() < MAX_PATH - 12 || w.rfind(L"\\\\?\\", 0) == 0) return w;
  if (w.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + w.substr(2);
  return L"\\\\?\\" + w;
}

}  // namespace win32

// The C library's link count is always 1 here: the system's own count.
std::uintmax_t ile_nazw(const std::filesystem::path& sciezka) {
  const HANDLE h = CreateFileW(win32::nazwa_systemowa(sciezka).c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 2;
  BY_HANDLE_FILE_INFORMATION opis;
  const bool ok = GetFileInformationByHandle(h, &opis);
  CloseHandle(h);
  return ok ? opis.nNumberOfLinks : 2;
}

}  // namespace wyrownik
