#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/bledy.hpp"
#include "platform/blokada.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

// Runs `cialo` in a forked child and returns its exit status; the child never
// returns into the test framework.
template <typename F>
int w_innym_procesie(F cialo) {
  const pid_t pid = ::fork();
  if (pid == 0) std::_Exit(cialo());
  int stan = 0;
  EXPECT_EQ(::waitpid(pid, &stan, 0), pid);
  return stan;
}

int proba_w_dziecku(const std::filesystem::path& katalog) {
  return w_innym_procesie([&] { return Blokada::zajmij(katalog) ? 0 : 1; });
}

TEST(Blokada, OneHolderPerProgramDirectory) {
  testy::KatalogTymczasowy a;
  testy::KatalogTymczasowy b;
  auto pierwsza = Blokada::zajmij(a.sciezka());
  ASSERT_TRUE(pierwsza);
  // A second copy in this process and in another process is refused.
  EXPECT_FALSE(Blokada::zajmij(a.sciezka()));
  const int stan = proba_w_dziecku(a.sciezka());
  ASSERT_TRUE(WIFEXITED(stan));
  EXPECT_EQ(WEXITSTATUS(stan), 1);
  // Another program directory is independent.
  EXPECT_TRUE(Blokada::zajmij(b.sciezka()));
  // Released with its owner.
  pierwsza.reset();
  EXPECT_TRUE(Blokada::zajmij(a.sciezka()));
}

TEST(Blokada, SpellingsAndEnvironmentsOfOneDirectoryShareTheLock) {
  testy::KatalogTymczasowy k;
  std::filesystem::create_directory(k / "prog");
  std::filesystem::create_directory_symlink(k / "prog", k / "dowiazanie");
  const auto trzymana = Blokada::zajmij(k / "prog");
  ASSERT_TRUE(trzymana);
  EXPECT_FALSE(Blokada::zajmij(k.sciezka() / "prog/"));
  EXPECT_FALSE(Blokada::zajmij(k.sciezka() / "prog" / ".." / "prog"));
  EXPECT_FALSE(Blokada::zajmij(k.sciezka() / "dowiazanie/"));
  // A copy started with another temporary directory sees the same lock.
  const int stan = w_innym_procesie([&] {
    ::setenv("TMPDIR", k.sciezka().c_str(), 1);
    return Blokada::zajmij(k / "prog") ? 0 : 1;
  });
  ASSERT_TRUE(WIFEXITED(stan));
  EXPECT_EQ(WEXITSTATUS(stan), 1);
  // No file is left anywhere.
  EXPECT_TRUE(std::filesystem::is_empty(k / "prog"));
  EXPECT_THROW(Blokada::zajmij(k / "nie-ma"), BladPliku);
}

TEST(Blokada, ReleasedWhenTheHolderCrashes) {
  testy::KatalogTymczasowy k;
  int potok[2];
  ASSERT_EQ(::pipe(potok), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(potok[0]);
    auto b = Blokada::zajmij(k.sciezka());
    const char znak = b ? 'T' : 'N';
    if (::write(potok[1], &znak, 1) != 1) std::_Exit(2);
    std::abort();
  }
  ::close(potok[1]);
  char znak = 0;
  ASSERT_EQ(::read(potok[0], &znak, 1), 1);
  ::close(potok[0]);
  EXPECT_EQ(znak, 'T');
  int stan = 0;
  ASSERT_EQ(::waitpid(pid, &stan, 0), pid);
  EXPECT_TRUE(WIFSIGNALED(stan));
  EXPECT_TRUE(Blokada::zajmij(k.sciezka()));
}

TEST(Blokada, NotInheritedByChildProcesses) {
  testy::KatalogTymczasowy k;
  auto b = Blokada::zajmij(k.sciezka());
  ASSERT_TRUE(b);
  // A program started from this one must not keep the lock alive: the pipe's
  // write end closes on exec too, so end of file tells that exec happened.
  int potok[2];
  ASSERT_EQ(::pipe2(potok, O_CLOEXEC), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  ::close(potok[1]);
  char znak = 0;
  EXPECT_EQ(::read(potok[0], &znak, 1), 0);
  ::close(potok[0]);
  b.reset();
  EXPECT_TRUE(Blokada::zajmij(k.sciezka()));
  ::kill(pid, SIGTERM);
  int stan = 0;
  ::waitpid(pid, &stan, 0);
}

TEST(Blokada, ADirectoryLockIsKeyedOnTheDirectoryItself) {
  testy::KatalogTymczasowy k;
  std::filesystem::create_directory(k / "scenery");
  std::filesystem::create_directory_symlink(k / "scenery", k / "dowiazanie");
  auto pierwsza = Blokada::zajmij_katalog(k / "scenery");
  ASSERT_TRUE(pierwsza);
  // Refused in this process, through another spelling, and in another process.
  EXPECT_FALSE(Blokada::zajmij_katalog(k / "scenery"));
  EXPECT_FALSE(Blokada::zajmij_katalog(k.sciezka() / "dowiazanie/"));
  const int stan = w_innym_procesie([&] { return Blokada::zajmij_katalog(k / "scenery") ? 0 : 1; });
  ASSERT_TRUE(WIFEXITED(stan));
  EXPECT_EQ(WEXITSTATUS(stan), 1);
  EXPECT_TRUE(std::filesystem::is_empty(k / "scenery"));
  pierwsza.reset();
  EXPECT_TRUE(Blokada::zajmij_katalog(k / "scenery"));
  EXPECT_THROW(Blokada::zajmij_katalog(k / "nie-ma"), BladPliku);
}

}  // namespace
}  // namespace wyrownik
