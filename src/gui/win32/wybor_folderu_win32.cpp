// The folder picker: the system's common item dialog, as Explorer shows it.
#include <shobjidl.h>

#include "gui/win32/form1_win32.hpp"

namespace wyrownik::win32 {

namespace {

// Releases a COM interface when it goes.
template <class T>
struct Zwalniany {
  T* p = nullptr;
  ~Zwalniany() {
    if (p != nullptr) p->Release();
  }
};

}  // namespace

std::optional<std::filesystem::path> Form1::wybierz_folder(std::string_view tytul) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::optional<std::filesystem::path> wybrany;
  Zwalniany<IFileOpenDialog> okno;
  if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&okno.p)))) {
    FILEOPENDIALOGOPTIONS opcje = 0;
    okno.p->GetOptions(&opcje);
    okno.p->SetOptions(opcje | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    okno.p->SetTitle(z_utf8(tytul).c_str());
    Zwalniany<IShellItem> wynik;
    PWSTR sciezka = nullptr;
    if (SUCCEEDED(okno.p->Show(okno_)) && SUCCEEDED(okno.p->GetResult(&wynik.p)) &&
        SUCCEEDED(wynik.p->GetDisplayName(SIGDN_FILESYSPATH, &sciezka))) {
      wybrany = std::filesystem::path(sciezka);
      CoTaskMemFree(sciezka);
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return wybrany;
}

}  // namespace wyrownik::win32
