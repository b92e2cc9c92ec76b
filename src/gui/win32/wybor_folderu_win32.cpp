// The folder picker: the system's common item dialog, as Explorer shows it.
#include <shobjidl.h>
#include <wrl/client.h>

#include "gui/win32/form1_win32.hpp"

namespace wyrownik::win32 {

std::optional<std::filesystem::path> Form1::wybierz_folder(std::string_view tytul) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::optional<std::filesystem::path> wybrany;
  Microsoft::WRL::ComPtr<IFileOpenDialog> okno;
  Microsoft::WRL::ComPtr<IShellItem> wynik;
  FILEOPENDIALOGOPTIONS opcje = 0;
  PWSTR sciezka = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&okno))) &&
      SUCCEEDED(okno->GetOptions(&opcje)) &&
      SUCCEEDED(okno->SetOptions(opcje | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM)) &&
      SUCCEEDED(okno->SetTitle(z_utf8(tytul).c_str())) && SUCCEEDED(okno->Show(okno_)) &&
      SUCCEEDED(okno->GetResult(&wynik)) &&
      SUCCEEDED(wynik->GetDisplayName(SIGDN_FILESYSPATH, &sciezka))) {
    wybrany = std::filesystem::path(sciezka);
    CoTaskMemFree(sciezka);
  }
  okno.Reset();  // before the library goes
  wynik.Reset();
  if (SUCCEEDED(com)) CoUninitialize();
  return wybrany;
}

}  // namespace wyrownik::win32
