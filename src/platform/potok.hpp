// Work side by side: one thread makes items, the calling thread takes them
// in the order they were made.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace wyrownik {

// Whether a file is worth a second thread: at least `od` bytes (1 MiB unless
// said). A file whose size cannot be read is not: it is read on one thread,
// where its failure is told as always.
inline bool wart_drugiego_watku(const std::filesystem::path& plik, std::uintmax_t od = 1 << 20) {
  std::error_code blad;
  const std::uintmax_t rozmiar = std::filesystem::file_size(plik, blad);
  return !blad && rozmiar >= od;
}

// Runs `wytworz(oddaj)` on a second thread from construction on; wez() gives
// the items passed to `oddaj`, in that order. Items travel in batches of
// `rozmiar_partii`; at most `ile_partii` wait at once, so memory stays
// bounded whatever the maker makes: a maker that is ahead waits.
//
// A failure of the maker is thrown by wez() once every item made before it
// has been taken, as if all had run on one thread. Destroying the pipe
// before the end stops the maker at its next batch and waits for it. Throws
// std::system_error when no thread can be started.
template <class T>
class Potok {
 public:
  using Oddaj = std::function<void(const T&)>;

  template <class Wytworz>
  explicit Potok(Wytworz wytworz, std::size_t rozmiar_partii = 1024, std::size_t ile_partii = 4)
      : rozmiar_partii_(rozmiar_partii), ile_partii_(ile_partii) {
    watek_ = std::thread([this, w = std::move(wytworz)]() mutable { wytwarzaj(w); });
  }

  ~Potok() {
    {
      const std::lock_guard blokada(zamek_);
      przerwany_ = true;
    }
    zmiana_.notify_all();
    watek_.join();
  }

  Potok(const Potok&) = delete;
  Potok& operator=(const Potok&) = delete;

  // The next item; false after the last one. Throws the maker's failure in
  // its place.
  bool wez(T& t) {
    if (nastepny_ == biezaca_.size()) {
      std::unique_lock blokada(zamek_);
      if (biezaca_.capacity() > 0) {
        biezaca_.clear();
        wolne_.push_back(std::move(biezaca_));
      }
      zmiana_.wait(blokada, [&] { return !gotowe_.empty() || koniec_; });
      if (gotowe_.empty()) {
        if (blad_) std::rethrow_exception(std::exchange(blad_, nullptr));
        return false;
      }
      biezaca_ = std::move(gotowe_.front());
      gotowe_.pop_front();
      nastepny_ = 0;
      zmiana_.notify_all();
    }
    t = std::move(biezaca_[nastepny_++]);
    return true;
  }

 private:
  // Ends the making thread once the taking side has gone.
  struct Przerwany {};

  template <class Wytworz>
  void wytwarzaj(Wytworz& wytworz) {
    std::vector<T> partia;
    partia.reserve(rozmiar_partii_);
    const auto wyslij = [&](bool czekaj) {
      std::unique_lock blokada(zamek_);
      if (czekaj) {
        zmiana_.wait(blokada, [&] { return gotowe_.size() < ile_partii_ || przerwany_; });
      }
      if (przerwany_) throw Przerwany{};
      gotowe_.push_back(std::move(partia));
      partia = {};
      if (!wolne_.empty()) {
        partia = std::move(wolne_.back());
        wolne_.pop_back();
      }
      zmiana_.notify_all();
    };
    std::exception_ptr blad;
    try {
      const Oddaj oddaj = [&](const T& t) {
        partia.push_back(t);
        if (partia.size() == rozmiar_partii_) wyslij(true);
      };
      wytworz(oddaj);
      if (!partia.empty()) wyslij(true);
    } catch (const Przerwany&) {
    } catch (...) {
      blad = std::current_exception();
      // What was made before the failure is still taken.
      if (!partia.empty()) {
        try {
          wyslij(false);
        } catch (const Przerwany&) {
        }
      }
    }
    const std::lock_guard blokada(zamek_);
    blad_ = blad;
    koniec_ = true;
    zmiana_.notify_all();
  }

  const std::size_t rozmiar_partii_;
  const std::size_t ile_partii_;
  std::mutex zamek_;
  std::condition_variable zmiana_;
  std::deque<std::vector<T>> gotowe_;  // full batches, oldest first
  std::vector<std::vector<T>> wolne_;  // taken batches, kept for reuse
  bool koniec_ = false;                // the maker has ended
  bool przerwany_ = false;             // the taker has gone
  std::exception_ptr blad_;
  // The batch being taken: only the taking thread touches it.
  std::vector<T> biezaca_;
  std::size_t nastepny_ = 0;
  std::thread watek_;  // last: started once everything above exists
};

// wytworz(przyjmij) with the making on a second thread and the taking on this
// one; on this thread alone when no second one can be started.
template <class T, class Wytworz, class Przyjmij>
void w_potoku(Wytworz&& wytworz, Przyjmij&& przyjmij, std::size_t rozmiar_partii = 1024,
              std::size_t ile_partii = 4) {
  std::optional<Potok<T>> potok;
  try {
    potok.emplace(wytworz, rozmiar_partii, ile_partii);
  } catch (const std::system_error&) {
    wytworz(przyjmij);
    return;
  }
  T t;
  while (potok->wez(t)) przyjmij(t);
}

}  // namespace wyrownik
