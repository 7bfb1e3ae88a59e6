// The settings file reader and writer on arbitrary file contents: the bytes
// survive a read unchanged, and settings saved into any file read back as
// they were saved.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/files/whole_file.h"
#include "core/settings/profile_file.h"
#include "core/settings/settings.h"
#include "fuzz/fuzz_support.h"

namespace {

std::string ReadBack(const std::string& path) {
  std::string bytes;
  if (quor::ReadWholeFile(path, bytes, quor::ZeroBytes::kKept) !=
      quor::ReadStatus::kOk) {
    quor::fuzz::Fail("read back " + path, "", "");
  }
  return bytes;
}

// The settings as a fresh file holds them.
std::string SavedFresh(const quor::Settings& settings,
                       const std::string& path) {
  std::remove(path.c_str());
  quor::fuzz::RecordingMessages messages;
  quor::SaveSettings(path, settings, messages);
  return ReadBack(path);
}

// Reading drops blanks and one pair of quotes around a text, so only a
// separator without them comes back as it went in.
bool SurvivesSaving(const std::string& text) {
  if (text.empty()) return true;
  const char first = text.front();
  const char last = text.back();
  return first != ' ' && first != '\t' && last != ' ' && last != '\t' &&
         !(text.size() >= 2 && first == last &&
           (first == '"' || first == '\''));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  const std::string input(reinterpret_cast<const char*>(data), size);
  ExpectEqual("a file read and written back", ProfileFile(input).Bytes(),
              input);

  const std::string& folder = ScratchFolder();
  const std::string user_file = folder + "/user.INI";
  if (!WriteWholeFile(user_file, input)) Fail("write " + user_file, "", "");
  RecordingMessages messages;
  Settings loaded;
  LoadSettings(user_file, loaded, messages);
  if (!SurvivesSaving(loaded.separator)) return 0;

  const std::string fresh = SavedFresh(loaded, folder + "/fresh.INI");
  Settings reloaded;
  LoadSettings(folder + "/fresh.INI", reloaded, messages);
  ExpectEqual("settings saved, read and saved again",
              SavedFresh(reloaded, folder + "/again.INI"), fresh);

  // Saving into the user's own file changes the values only.
  SaveSettings(user_file, loaded, messages);
  Settings from_user_file;
  LoadSettings(user_file, from_user_file, messages);
  ExpectEqual("settings saved into an existing file",
              SavedFresh(from_user_file, folder + "/again.INI"), fresh);
  return 0;
}
