// Times commands side by side: every round runs each command once, in the
// order given, so that the machine's drift hits all of them alike. Prints
// the median and the spread of the wall time, the medians of user and
// system time, and the peak resident memory.
//
// A command file has one command a line: NAME|STDIN|COMMAND ARG ...; the
// first command is the floor that the ratios refer to.
// STDIN is a file for standard input or "-"; an argument @FILE stands for the
// lines of FILE. Standard output goes to /dev/null.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Command {
  std::string name, input;
  std::vector<std::string> argv;
  std::vector<double> ms, user_ms, sys_ms;
  long max_rss_kib = 0;
  int failures = 0;
};

std::vector<std::string> Expand(const std::string& word) {
  if (word.size() < 2 || word[0] != '@') return {word};
  std::vector<std::string> lines;
  std::ifstream in(word.substr(1));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void RunOnce(Command& c) {
  std::vector<char*> argv;
  for (std::string& a : c.argv) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    int in = ::open(c.input == "-" ? "/dev/null" : c.input.c_str(), O_RDONLY);
    int out = ::open("/dev/null", O_WRONLY);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  const auto end = std::chrono::steady_clock::now();
  c.ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  c.max_rss_kib = std::max(c.max_rss_kib, usage.ru_maxrss);
  auto ms_of = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  c.user_ms.push_back(ms_of(usage.ru_utime));
  c.sys_ms.push_back(ms_of(usage.ru_stime));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++c.failures;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: pluvmeasure RUNS PRODUCTS COMMANDFILE\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const double products = std::atof(argv[2]);
  std::vector<Command> commands;
  std::ifstream file(argv[3]);
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream fields(line);
    Command c;
    std::string rest;
    std::getline(fields, c.name, '|');
    std::getline(fields, c.input, '|');
    std::getline(fields, rest);
    std::stringstream words(rest);
    for (std::string w; words >> w;) {
      for (std::string& e : Expand(w)) c.argv.push_back(e);
    }
    commands.push_back(std::move(c));
  }
  for (int round = 0; round < runs; ++round) {
    for (Command& c : commands) RunOnce(c);
  }
  const double floor_ms = commands.empty() ? 0 : Median(commands[0].ms);
  std::printf("%-34s %10s %19s %11s %9s %9s %9s %9s\n", "command", "median ms", "min-max ms",
              "ms/product", "x floor", "user ms", "sys ms", "peak MiB");
  for (const Command& c : commands) {
    const double median = Median(c.ms);
    const auto [lo, hi] = std::minmax_element(c.ms.begin(), c.ms.end());
    // Commands over the whole month: the floors, cat and the period tools.
    const bool per_product = c.name.find("month") != std::string::npos;
    char per[32] = "", ratio[32] = "";
    if (per_product) {
      std::snprintf(per, sizeof per, "%.3f", median / products);
      if (floor_ms > 0) std::snprintf(ratio, sizeof ratio, "%.2f", median / floor_ms);
    }
    std::printf("%-34s %10.1f %9.1f-%-9.1f %11s %9s %9.1f %9.1f %9.1f%s\n", c.name.c_str(),
                median, *lo, *hi, per, ratio, Median(c.user_ms), Median(c.sys_ms),
                c.max_rss_kib / 1024.0, c.failures ? "  FAILED" : "");
  }
  return 0;
}
