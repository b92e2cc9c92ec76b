// A list of fixed records that grows while a batch works and is read back
// when it is done: at a gigabyte of scenery, more than the program's own
// memory may hold. Told a directory, it keeps all but its last block in an
// unnamed scratch file there, whose pages the system keeps in its cache (a
// list of one block never makes the file); told none, it keeps everything
// in memory.
#pragma once

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <type_traits>
#include <vector>

#include "platform/operacje_systemu.hpp"
#include "platform/plik_mapowany.hpp"

namespace wyrownik {

template <class T>
class ListaNaDysku {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  // Records kept in memory before they go to the file together: a scenery
  // of tens of megabytes makes no file (at 25 MB the three lists' files
  // cost 2 ms of system time).
  static constexpr std::size_t blok = (256 << 10) / sizeof(T);

  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = T;

    Iterator(const ListaNaDysku* lista, std::size_t i) : lista_(lista), i_(i) {}
    T operator*() const { return (*lista_)[i_]; }
    Iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator==(const Iterator& inny) const { return i_ == inny.i_; }

   private:
    const ListaNaDysku* lista_;
    std::size_t i_;
  };

  // Empties the list; from now on, with a directory, its blocks go to a
  // file made there when the first block is full.
  void zacznij(const std::filesystem::path& katalog, OperacjeSystemu& operacje) {
    katalog_ = katalog;
    operacje_ = &operacje;
    w_pliku_ = 0;  // a file already made is written over from its start
    bufor_.clear();
  }

  // Throws BladPliku.
  void push_back(const T& rekord) {
    bufor_.push_back(rekord);
    if (bufor_.size() >= blok && !katalog_.empty()) oproznij();
  }
  void dopisz(const T* rekordy, std::size_t ile) {
    if (katalog_.empty() || ile < blok) {
      const std::size_t bylo = bufor_.size();
      bufor_.resize(bylo + ile);
      if (ile > 0) std::memcpy(bufor_.data() + bylo, rekordy, ile * sizeof(T));
      if (bufor_.size() >= blok && !katalog_.empty()) oproznij();
      return;
    }
    oproznij();
    do_pliku(rekordy, ile);
  }

  std::size_t size() const { return w_pliku_ + bufor_.size(); }
  bool empty() const { return size() == 0; }
  T operator[](std::size_t i) const {
    if (i >= w_pliku_) return bufor_[i - w_pliku_];
    T rekord;
    std::memcpy(&rekord, plik_->dane() + i * sizeof(T), sizeof(T));
    return rekord;
  }
  T back() const { return (*this)[size() - 1]; }
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, size()); }

 private:
  void oproznij() {
    do_pliku(bufor_.data(), bufor_.size());
    bufor_.clear();
  }

  void do_pliku(const T* rekordy, std::size_t ile) {
    if (ile == 0) return;
    if (!plik_) {
      plik_.emplace(PlikMapowany::bez_nazwy(katalog_, 2 * blok * sizeof(T),
                                            PlikMapowany::Dostep::wszystkie, *operacje_));
    }
    const std::size_t od = w_pliku_ * sizeof(T);
    plik_->wydluz(od + ile * sizeof(T));
    plik_->zapisz(od, reinterpret_cast<const char*>(rekordy), ile * sizeof(T));
    w_pliku_ += ile;
  }

  std::filesystem::path katalog_;
  OperacjeSystemu* operacje_ = nullptr;
  std::optional<PlikMapowany> plik_;
  std::size_t w_pliku_ = 0;
  std::vector<T> bufor_;  // the records after those in the file
};

}  // namespace wyrownik
