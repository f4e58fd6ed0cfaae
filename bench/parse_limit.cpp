// The parse limit of a grid file: read it in large blocks, split the cell tokens
// at white space and read each with std::from_chars, summing the values. Nothing
// is counted or kept, so no census can be faster than this.
//
//   parse_limit GRID     prints the number of cells and their sum
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
const std::size_t kBlock = 1 << 20;
const int kHeaderTokens = 12;

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f'; }
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: parse_limit GRID\n");
    return 2;
  }
  const int fd = ::open(argv[1], O_RDONLY);
  if (fd < 0) {
    std::perror(argv[1]);
    return 1;
  }
  std::unique_ptr<char[]> buffer(new char[2 * kBlock]);
  std::size_t kept = 0;  // bytes of a token cut by the end of the previous block
  long tokens = 0;
  long cells = 0;
  double sum = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.get() + kept, kBlock);
    if (got < 0) {
      std::perror(argv[1]);
      return 1;
    }
    const bool last = got == 0;
    const char* p = buffer.get();
    const char* end = p + kept + got;
    for (;;) {
      while (p < end && IsSpace(*p)) ++p;
      const char* start = p;
      while (p < end && !IsSpace(*p)) ++p;
      if (p == start || (p == end && !last)) {
        p = start;
        break;
      }
      if (++tokens > kHeaderTokens) {
        double value = 0;
        std::from_chars(*start == '+' ? start + 1 : start, p, value);
        sum += value;
        ++cells;
      }
    }
    kept = static_cast<std::size_t>(end - p);
    std::memmove(buffer.get(), p, kept);
    if (last) break;
  }
  ::close(fd);
  std::printf("%ld cells, sum %.17g\n", cells, sum);
  return 0;
}
