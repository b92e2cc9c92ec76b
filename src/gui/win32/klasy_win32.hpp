// The window classes of the program's two windows, registered once: the
// main window's messages go to its Form1, the help window lays out its text.
#pragma once

#include "platform/windows.hpp"

namespace wyrownik::win32 {

inline constexpr wchar_t klasa_form1[] = L"wyrownik_Form1";
inline constexpr wchar_t klasa_pomocy[] = L"wyrownik_Frmhelp";

void zarejestruj_klasy();

}  // namespace wyrownik::win32
