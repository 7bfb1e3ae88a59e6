// Saving over the loaded file as a shared machine needs it: never through a
// swapped path, never over someone else's writing, keeping what the file is.

#include "core/files/file_save.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "core/app/document_file.h"
#include "core/files/pending_temporary.h"
#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class FileSave : public ::testing::Test {
 protected:
  // Loads `path` as a batch run or the window does.
  Application Loaded(const std::string& path) {
    Application app(ProgramPaths{}, messages_);
    EXPECT_TRUE(ReadDocument(app, "-d:\"" + path + "\""));
    app.document.text = "neu";
    return app;
  }

  testing::TempDir dir_;
  testing::RecordingMessages messages_;
};

TEST_F(FileSave, ALinkSwappedInAfterTheLoadIsNeverFollowed) {
  const std::string doc = dir_.File("brief.txt");
  WriteFile(doc, "alt");
  WriteFile(dir_.File("geheim"), "geheim");
  Application app = Loaded(doc);
  std::filesystem::remove(doc);
  std::filesystem::create_symlink(dir_.File("geheim"), doc);
  EXPECT_FALSE(SaveToLoadedFile(app, /*ask_when_changed=*/false));
  EXPECT_EQ(ReadFile(dir_.File("geheim")), "geheim");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].second, kFileChanged);
  // Asked and told to go on, the window still writes no link's target.
  messages_.answer = true;
  EXPECT_FALSE(SaveToLoadedFile(app, /*ask_when_changed=*/true));
  EXPECT_EQ(ReadFile(dir_.File("geheim")), "geheim");
}

TEST_F(FileSave, AFolderSwappedInAfterTheLoadIsNeverWrittenTo) {
  std::filesystem::create_directory(dir_.File("a"));
  std::filesystem::create_directory(dir_.File("b"));
  WriteFile(dir_.File("a/brief.txt"), "alt");
  WriteFile(dir_.File("b/brief.txt"), "fremd");
  Application app = Loaded(dir_.File("a/brief.txt"));
  std::filesystem::rename(dir_.File("a"), dir_.File("a-alt"));
  std::filesystem::create_directory_symlink(dir_.File("b"), dir_.File("a"));
  EXPECT_TRUE(SaveToLoadedFile(app, false));
  EXPECT_EQ(ReadFile(dir_.File("b/brief.txt")), "fremd");
  EXPECT_EQ(ReadFile(dir_.File("a-alt/brief.txt")), "neu");
}

TEST_F(FileSave, WritingByOthersSinceTheLoadIsNotLost) {
  const std::string doc = dir_.File("brief.txt");
  WriteFile(doc, "alt");
  Application app = Loaded(doc);
  WriteFile(doc, "alt und mehr");
  EXPECT_FALSE(SaveToLoadedFile(app, false));
  EXPECT_EQ(ReadFile(doc), "alt und mehr");

  messages_.answer = false;
  EXPECT_FALSE(SaveToLoadedFile(app, true));
  ASSERT_EQ(messages_.asked.size(), 1u);
  EXPECT_EQ(messages_.asked[0].second, kSaveAnyway);
  EXPECT_EQ(ReadFile(doc), "alt und mehr");
  messages_.answer = true;
  EXPECT_TRUE(SaveToLoadedFile(app, true));
  EXPECT_EQ(ReadFile(doc), "neu");
  // The save is the new starting point: saving again asks nothing.
  app.document.text = "neuer";
  EXPECT_TRUE(SaveToLoadedFile(app, true));
  EXPECT_EQ(messages_.asked.size(), 2u);
  EXPECT_EQ(ReadFile(doc), "neuer");
}

TEST_F(FileSave, ModeSetIdBitsAttributesAndHardLinksAreKept) {
  const std::string doc = dir_.File("brief.txt");
  WriteFile(doc, "alt");
  const bool xattrs = ::setxattr(doc.c_str(), "user.quelle", "x", 1, 0) == 0;
  // The new file starts as the umask allows; what it takes away comes back.
  const mode_t mask = ::umask(022);
  for (const mode_t mode : {0666, 0604, 06740}) {
    ASSERT_EQ(::chmod(doc.c_str(), mode), 0);
    Application app = Loaded(doc);
    ASSERT_TRUE(SaveToLoadedFile(app, false));
    struct stat info;
    ASSERT_EQ(::stat(doc.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode);
  }
  ::umask(mask);
  if (xattrs) {
    char value[4] = {};
    EXPECT_EQ(::getxattr(doc.c_str(), "user.quelle", value, sizeof value), 1);
  }
  EXPECT_EQ(testing::EntriesIn(dir_.path()), 1u);

  std::filesystem::create_hard_link(doc, dir_.File("zweiter-name"));
  Application again = Loaded(doc);
  again.document.text = "beide";
  ASSERT_TRUE(SaveToLoadedFile(again, false));
  EXPECT_EQ(ReadFile(dir_.File("zweiter-name")), "beide");
}

TEST_F(FileSave, NamesNearTheLimitCanBeSaved) {
  const std::string doc = dir_.File(std::string(255, 'n'));
  WriteFile(doc, "alt");
  Application app = Loaded(doc);
  EXPECT_TRUE(SaveToLoadedFile(app, false));
  EXPECT_EQ(ReadFile(doc), "neu");
}

// Loads and saves `path` as another user; true when the save succeeded.
bool SavedAsAnotherUser(const std::string& path) {
  return testing::AsOtherUser([&] {
    testing::RecordingMessages messages;
    Application app(ProgramPaths{}, messages);
    if (!ReadDocument(app, "-d:\"" + path + "\"")) return false;
    app.document.text = "neu";
    return SaveToLoadedFile(app, false);
  });
}

// Files a user may write but not replace: the save writes them in place and
// they stay whose they were.
TEST_F(FileSave, WritableFilesOfOthersAreSavedInPlace) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to act as another user";
  }
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  struct Case {
    const char* name;
    mode_t folder_mode;
    uid_t folder_owner;
    mode_t file_mode;
    gid_t file_group;
  };
  const Case cases[] = {
      {"shared-by-group", 0777, 0, 0664, 65534},
      {"read-only-folder", 0555, 65534, 0666, 0},
      {"sticky-folder", 01777, 0, 0666, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = dir_.File(c.name);
    const std::string doc = folder + "/brief.txt";
    std::filesystem::create_directory(folder);
    WriteFile(doc, "alt");
    ASSERT_EQ(::chown(doc.c_str(), 0, c.file_group), 0);
    ASSERT_EQ(::chmod(doc.c_str(), c.file_mode), 0);
    ASSERT_EQ(::chown(folder.c_str(), c.folder_owner, 0), 0);
    ASSERT_EQ(::chmod(folder.c_str(), c.folder_mode), 0);
    EXPECT_TRUE(SavedAsAnotherUser(doc));
    EXPECT_EQ(ReadFile(doc), "neu");
    struct stat info;
    ASSERT_EQ(::stat(doc.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_gid, c.file_group);
    EXPECT_EQ(info.st_mode & 07777, c.file_mode);
  }
}

TEST_F(FileSave, ASignalRemovesEveryPendingTemporaryName) {
  for (const char* name : {".qf-a", ".qf-b", ".qf-c", ".qf-fertig"}) {
    WriteFile(dir_.File(name), "halb");
  }
  const pid_t child = ::fork();
  if (child == 0) {
    RemoveTemporaryOnSignals();
    const int folder = ::open(dir_.path().c_str(), O_PATH | O_DIRECTORY);
    const PendingTemporary a(folder, ".qf-a");
    // Renamed meanwhile: the name now belongs to a finished file.
    { const PendingTemporary renamed(folder, ".qf-fertig"); }
    const PendingTemporary b(folder, ".qf-b");
    const PendingTemporary c(folder, ".qf-c");
    ::raise(SIGTERM);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(testing::EntriesIn(dir_.path()), 1u);
  EXPECT_TRUE(testing::FileExists(dir_.File(".qf-fertig")));
}

}  // namespace
}  // namespace quor
