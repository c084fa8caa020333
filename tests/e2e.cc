#include "e2e.h"

#include "target.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace pluv {

namespace {

constexpr auto kTimeout = std::chrono::seconds(300);
constexpr char kSetpriv[] = "/usr/bin/setpriv";

std::string ProgramPath(const std::string& program) {
  const char* dir = std::getenv("PLUV_BIN_DIR");
  return std::string(dir != nullptr ? dir : PLUV_BIN_DIR) + "/" + program +
         (TargetIsWindows() ? ".exe" : "");
}

// The program that starts the Windows programs.
std::string Wine() {
  const char* wine = std::getenv("PLUV_WINE");
  return wine != nullptr ? wine : "/usr/lib/wine/wine64";
}

std::string ReadAll(FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  return text;
}

std::vector<std::string> ChildEnvironment() {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string_view entry(*e);
    if (entry.starts_with("LC_") || entry.starts_with("LANG=") || entry.starts_with("LANGUAGE=") ||
        entry.starts_with("TZ=")) {
      continue;
    }
    env.emplace_back(entry);
  }
  env.push_back("LC_ALL=C.UTF-8");
  env.push_back("TZ=UTC");
  if (TargetIsWindows()) env.push_back("WINEDEBUG=-all");
  return env;
}

}  // namespace

std::string WhyNotUnprivileged() {
  if (::geteuid() != 0) return "";
  if (::access(kSetpriv, X_OK) != 0) return std::string("running as root without ") + kSetpriv;
  return "";
}

RunResult RunProgram(const std::string& program, const std::string& dir, const std::string& input,
                     const RunOptions& options) {
  const Output output = options.output;
  const std::string path = ProgramPath(program);
  FILE* in = std::tmpfile();
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::fflush(in);
  std::rewind(in);
  int pipe_fds[2] = {-1, -1};
  if (output == Output::kBrokenPipe) {
    if (::pipe(pipe_fds) != 0) std::abort();
    ::close(pipe_fds[0]);
  }

  std::vector<std::string> env = ChildEnvironment();
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGPIPE, SIG_DFL);
    if (options.no_input) {
      ::close(0);
    } else {
      ::dup2(fileno(in), 0);
    }
    ::dup2(fileno(err), 2);
    switch (output) {
      case Output::kFile: ::dup2(fileno(out), 1); break;
      case Output::kClosed: ::close(1); break;
      case Output::kBrokenPipe: ::dup2(pipe_fds[1], 1); break;
    }
    if (::chdir(dir.c_str()) != 0) ::_exit(126);
    if (options.unprivileged && ::geteuid() == 0) {
      char* argv[] = {const_cast<char*>(kSetpriv), const_cast<char*>("--reuid=65534"),
                      const_cast<char*>("--regid=65534"), const_cast<char*>("--clear-groups"),
                      const_cast<char*>(path.c_str()), nullptr};
      ::execve(kSetpriv, argv, envp.data());
      ::_exit(127);
    }
    if (TargetIsWindows()) {
      const std::string wine = Wine();
      char* argv[] = {const_cast<char*>(wine.c_str()), const_cast<char*>(path.c_str()), nullptr};
      ::execve(wine.c_str(), argv, envp.data());
      ::_exit(127);
    }
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    ::execve(path.c_str(), argv, envp.data());
    ::_exit(127);
  }
  if (pipe_fds[1] >= 0) ::close(pipe_fds[1]);

  RunResult run;
  const auto deadline = std::chrono::steady_clock::now() + kTimeout;
  int wstatus = 0;
  for (;;) {
    pid_t done = ::waitpid(pid, &wstatus, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &wstatus, 0);
      run.timed_out = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
  if (WIFSIGNALED(wstatus)) run.signal = WTERMSIG(wstatus);
  run.output = ReadAll(out);
  run.errors = ReadAll(err);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  return run;
}

std::string AfterBanner(const std::string& output) {
  std::size_t end = output.find("\r\n");
  return end == std::string::npos ? std::string() : output.substr(end + 2);
}

}  // namespace pluv
