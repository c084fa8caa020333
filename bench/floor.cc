// The I/O floor of the period tools: reads every product named in a list
// into one reused buffer and does nothing else with it. The buffer size is
// the second argument (64 KiB by default, the size of the tools' reads).
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: pluvfloor LIST [BUFFER_BYTES]   (LIST: one product path a line)\n");
    return 2;
  }
  std::ifstream list(argv[1]);
  std::vector<char> buffer(argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 64 * 1024);
  std::string path;
  unsigned long long total = 0;
  while (std::getline(list, path)) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      std::perror(path.c_str());
      return 1;
    }
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) total += static_cast<unsigned long long>(n);
    ::close(fd);
  }
  std::printf("%llu bytes\n", total);
  return 0;
}
