// The table of `--explain`: one row for every selected object a run left as
// it is, with its reason, for spreadsheets and scripts. UTF-8, tab-separated,
// each row ended by LF.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "run/zdarzenia.hpp"

namespace wyrownik {

class Wyjasnienie : public Sluchacz {
 public:
  static constexpr std::string_view naglowek =
      "scenery\tfile\tline\treason\tx\ty\tz\tvalue\tdetail\n";

  // `wyjscie` takes the table's bytes as they come, the header first.
  explicit Wyjasnienie(std::function<void(std::string_view)> wyjscie);

  void poczatek_scenerii(const StanScenerii& stan) override;
  void pozostawiona(const LiniaPozostawiona& l) override;
  bool chce_tekstur_pod_obiektami() const override { return true; }

 private:
  std::function<void(std::string_view)> wyjscie_;
  std::string sceneria_;  // UTF-8
  std::string wiersz_;    // reused: a row allocates nothing once it has grown
};

}  // namespace wyrownik
