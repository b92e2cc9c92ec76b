// Reading and storing side by side: one thread makes items, the calling
// thread takes them in the order they were made.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace wyrownik {

namespace detail {
// Ends the making thread once the taking side has failed.
struct PotokPrzerwany {};
}  // namespace detail

// Runs `wytworz(oddaj)` on a second thread while the calling thread hands
// every item given to `oddaj` to `przyjmij`, in the order given: the result
// is that of wytworz(przyjmij) on one thread. Items travel in batches of
// `rozmiar_partii`; at most `ile_partii` wait at once, so memory stays
// bounded whatever the maker makes.
//
// A failure of the maker is thrown here after every item made before it has
// been taken, as on one thread. A failure of the taker stops the maker at its
// next batch and is thrown here once the maker has ended. Without a second
// thread (none can be started) the work runs on this one.
template <class T, class Wytworz, class Przyjmij>
void w_potoku(Wytworz&& wytworz, Przyjmij&& przyjmij, std::size_t rozmiar_partii = 1024,
              std::size_t ile_partii = 4) {
  std::mutex zamek;
  std::condition_variable zmiana;
  std::deque<std::vector<T>> gotowe;  // full batches, oldest first
  std::vector<std::vector<T>> wolne;  // taken batches, kept for reuse
  bool koniec = false;                // the maker has ended
  bool przerwany = false;             // the taker has failed
  std::exception_ptr blad_wytworcy;

  const auto wytworca = [&] {
    std::vector<T> partia;
    partia.reserve(rozmiar_partii);
    const auto wyslij = [&](bool czekaj) {
      std::unique_lock blokada(zamek);
      if (czekaj) zmiana.wait(blokada, [&] { return gotowe.size() < ile_partii || przerwany; });
      if (przerwany) throw detail::PotokPrzerwany{};
      gotowe.push_back(std::move(partia));
      partia = {};
      if (!wolne.empty()) {
        partia = std::move(wolne.back());
        wolne.pop_back();
      }
      zmiana.notify_all();
    };
    try {
      wytworz([&](const T& t) {
        partia.push_back(t);
        if (partia.size() == rozmiar_partii) wyslij(true);
      });
      if (!partia.empty()) wyslij(true);
    } catch (const detail::PotokPrzerwany&) {
    } catch (...) {
      blad_wytworcy = std::current_exception();
      // What was made before the failure is still taken.
      if (!partia.empty()) {
        try {
          wyslij(false);
        } catch (const detail::PotokPrzerwany&) {
        }
      }
    }
    const std::lock_guard blokada(zamek);
    koniec = true;
    zmiana.notify_all();
  };

  std::thread watek;
  try {
    watek = std::thread(wytworca);
  } catch (const std::system_error&) {
    wytworz(przyjmij);
    return;
  }
  try {
    for (;;) {
      std::vector<T> partia;
      {
        std::unique_lock blokada(zamek);
        zmiana.wait(blokada, [&] { return !gotowe.empty() || koniec; });
        if (gotowe.empty()) break;
        partia = std::move(gotowe.front());
        gotowe.pop_front();
        zmiana.notify_all();
      }
      for (const T& t : partia) przyjmij(t);
      partia.clear();
      const std::lock_guard blokada(zamek);
      wolne.push_back(std::move(partia));
    }
  } catch (...) {
    {
      const std::lock_guard blokada(zamek);
      przerwany = true;
      zmiana.notify_all();
    }
    watek.join();
    throw;
  }
  watek.join();
  if (blad_wytworcy) std::rethrow_exception(blad_wytworcy);
}

}  // namespace wyrownik
