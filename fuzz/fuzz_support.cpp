#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace quor::fuzz {
namespace {

std::string Escaped(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  return out;
}

class Scratch {
 public:
  Scratch() {
    // Memory-backed when the system has it: the targets write files per run.
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm")
            ? std::filesystem::path("/dev/shm")
            : std::filesystem::temp_directory_path();
    std::string pattern = (base / "quorfuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

void Fail(std::string_view what, std::string_view actual,
          std::string_view expected) {
  std::fprintf(stderr, "\n%.*s\n  actual:   '%s'\n  expected: '%s'\n",
               static_cast<int>(what.size()), what.data(),
               Escaped(actual).c_str(), Escaped(expected).c_str());
  std::abort();
}

std::string UpToZero(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path();
}

}  // namespace quor::fuzz
