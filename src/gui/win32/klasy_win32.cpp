// The window classes of the program's two windows, registered once: the
// main window's messages go to its Form1, the help window lays out its text.
#include <algorithm>

#include "gui/tekst_pomocy.hpp"
#include "gui/win32/form1_win32.hpp"

namespace wyrownik::win32 {

void zarejestruj_klasy() {
  static const bool zarejestrowane = [] {
    const HINSTANCE program = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = program;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(program, MAKEINTRESOURCEW(1));
    wc.lpfnWndProc = [](HWND h, UINT k, WPARAM w, LPARAM l) -> LRESULT {
      if (k == WM_NCCREATE) {
        SetWindowLongPtrW(
            h, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
      }
      auto* okno = reinterpret_cast<Form1*>(GetWindowLongPtrW(h, GWLP_USERDATA));
      if (k == WM_SIZE && okno != nullptr) {
        // The help window: its text box fills the client area within margins.
        RECT r;
        GetClientRect(h, &r);
        const int m = okno->piksele(margines_pomocy);
        MoveWindow(GetDlgItem(h, 1), m, m, std::max(1L, r.right - 2 * m),
                   std::max(1L, r.bottom - 2 * m), TRUE);
        return 0;
      }
      if (k == WM_CLOSE) {
        // The owner first: a disabled owner would hand the focus elsewhere.
        EnableWindow(GetWindow(h, GW_OWNER), TRUE);
        DestroyWindow(h);
        return 0;
      }
      return DefWindowProcW(h, k, w, l);
    };
    wc.lpszClassName = klasa_pomocy;
    RegisterClassExW(&wc);
    wc.lpfnWndProc = [](HWND h, UINT k, WPARAM w, LPARAM l) -> LRESULT {
      if (k == WM_NCCREATE) {
        auto* okno = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(okno));
      }
      auto* okno = reinterpret_cast<Form1*>(GetWindowLongPtrW(h, GWLP_USERDATA));
      return okno != nullptr ? okno->obsluz_komunikat(h, k, w, l) : DefWindowProcW(h, k, w, l);
    };
    wc.lpszClassName = klasa_form1;
    RegisterClassExW(&wc);
    return true;
  }();
  (void)zarejestrowane;
}

}  // namespace wyrownik::win32
