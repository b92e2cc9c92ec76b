// The window classes of the program's two windows, registered once: the
// main window's messages go to its Form1, the help window lays out its text.
#pragma once

#include "platform/windows.hpp"

namespace wyrownik::win32 {

inline constexpr wchar_t klasa_form1[] = L"wyrownik_Form1";
inline constexpr wchar_t klasa_pomocy[] = L"wyrownik_Frmhelp";
inline constexpr int margines_pomocy = 120;  // twips around the help text box

void zarejestruj_klasy();

}  // namespace wyrownik::win32
