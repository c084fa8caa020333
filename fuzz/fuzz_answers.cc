// Fuzzes the three answer reads: arbitrary standard input, read answer
// after answer until it ends.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/console.h"
#include "common/failure.h"
#include "memory_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pluv::MemoryPlatform platform(std::string(reinterpret_cast<const char*>(data), size),
                                size > 0 ? 1 + data[0] % 7 : 1);
  pluv::Console console(platform);
  // Every read consumes input, so there are at most size + 1 of them.
  for (std::size_t read = 0; read <= size + 1; ++read) {
    if (console.InputEnded()) return 0;
    try {
      switch (read % 5) {
        case 0: {
          const std::size_t limit = 1 + read % 3;
          const std::string answer = console.ReadShortAnswer(limit);
          if (answer.size() > limit || answer.find('\n') != std::string::npos) __builtin_trap();
          break;
        }
        case 1:
          console.ReadNumberAnswer();
          break;
        case 2:
          console.ReadNumberAnswer(pluv::AtEndOfInput::kFail);
          break;
        case 3:
          if (console.ReadLineAnswer().find('\n') != std::string::npos) __builtin_trap();
          break;
        default:
          console.WritePrompt("Jahr (JJJJ): ");
          console.ReadShortAnswer(2);
          break;
      }
    } catch (const pluv::EInOutError& e) {
      if (e.code() != pluv::kInvalidNumber && e.code() != pluv::kReadPastEnd) __builtin_trap();
    }
  }
  __builtin_trap();  // input that never ends
}
