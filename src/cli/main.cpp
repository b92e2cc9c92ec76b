#include <cstdio>

int main() {
  std::fputs("usage: wyrownik-cli height|clearance ...\n", stderr);
  return 64;
}
