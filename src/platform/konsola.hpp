// The arguments and the standard streams of a command-line program as UTF-8
// text, on every system.
#pragma once

#include <string>
#include <vector>

namespace wyrownik {

// Windows: the wide arguments of wmain() as UTF-8 (scenery names typed with
// Polish letters arrive whole).
std::vector<std::string> argumenty_utf8(int argc, const wchar_t* const* argv);

// Windows: std::cout and std::cerr, where they are a console, write their
// UTF-8 text through WriteConsoleW, so Polish letters show whatever the
// console's code page; redirected, they write the UTF-8 bytes. Elsewhere
// nothing changes. Called once at the start of the program.
void przygotuj_konsole();

// Windows: the standard output, when it is not a console, writes its bytes
// as they are (no LF turned into CR LF): for a patch, whose line ends are
// the files'. Elsewhere nothing changes.
void wyjscie_binarne();

}  // namespace wyrownik
