// Saving many files with the flushes gathered: each file ends as a save of
// its own would leave it, and one file's trouble stays its own.

#include "core/files/save_batch.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// The file at `path` as a load leaves it.
LoadedFile Loaded(const std::string& path) {
  struct stat info = {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  std::optional<LoadedFile> file = LocateLoadedFile(path, StampOf(info));
  EXPECT_TRUE(file.has_value()) << path;
  return file ? std::move(*file) : LoadedFile{};
}

ino_t InodeOf(const std::string& path) {
  struct stat info = {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_ino;
}

// Runs `body` as an ordinary user when the tests run as root, so that
// folder and file permissions count.
bool AsOrdinaryUser(const std::function<bool()>& body) {
  return ::geteuid() == 0 ? testing::AsOtherUser(body) : body();
}

class SaveBatchTest : public ::testing::Test {
 protected:
  // Files "0.txt".. in the test folder holding "alt <i>".
  std::vector<std::string> MakeFiles(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
      paths.push_back(dir_.File(std::to_string(i) + ".txt"));
      WriteFile(paths.back(), "alt " + std::to_string(i));
    }
    return paths;
  }

  static std::string NewContents(std::size_t i) {
    return "neu " + std::to_string(i) + "\n";
  }

  testing::TempDir dir_;
};

TEST_F(SaveBatchTest, ManyFilesGetTheirContentsAndKeepModeAndAttributes) {
  const std::vector<std::string> paths = MakeFiles(40);
  bool xattrs = true;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    ASSERT_EQ(::chmod(paths[i].c_str(), i % 2 ? 0640 : 06754), 0);
    xattrs = xattrs && ::setxattr(paths[i].c_str(), "user.nummer",
                                  paths[i].data(), 4, 0) == 0;
  }
  const ino_t first_inode = InodeOf(paths[0]);
  SaveBatch batch;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(batch.Add(Loaded(paths[i]), NewContents(i)), i);
    EXPECT_FALSE(batch.StatusOf(i).has_value()) << "pending until commit";
  }
  batch.Commit();
  EXPECT_EQ(batch.pending(), 0u);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(batch.StatusOf(i), SaveStatus::kSaved) << i;
    EXPECT_EQ(ReadFile(paths[i]), NewContents(i));
    struct stat info = {};
    ASSERT_EQ(::stat(paths[i].c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, i % 2 ? 0640u : 06754u) << i;
    char value[8] = {};
    if (xattrs) {
      EXPECT_EQ(::getxattr(paths[i].c_str(), "user.nummer", value, 8), 4);
    }
  }
  EXPECT_NE(InodeOf(paths[0]), first_inode) << "replaced, not overwritten";
  EXPECT_EQ(testing::EntriesIn(dir_.path()), paths.size())
      << "a temporary is left";
}

TEST_F(SaveBatchTest, FilesChangedSinceTheLoadAreLeftAloneAndTheOthersSaved) {
  const std::vector<std::string> paths = MakeFiles(5);
  std::vector<LoadedFile> files;
  files.reserve(paths.size());
  for (const std::string& path : paths) files.push_back(Loaded(path));
  WriteFile(paths[1], "anderswo geschrieben");
  SaveBatch batch;
  for (std::size_t i = 0; i < files.size(); ++i) {
    batch.Add(std::move(files[i]), NewContents(i));
  }
  EXPECT_EQ(batch.StatusOf(1), SaveStatus::kChanged) << "known at once";
  // Between the writing and the commit: written to, and swapped for a
  // folder of the same name.
  WriteFile(paths[3], "auch anderswo");
  std::filesystem::rename(paths[4], paths[4] + ".alt");
  std::filesystem::create_directory(paths[4]);
  batch.Commit();
  EXPECT_EQ(batch.StatusOf(0), SaveStatus::kSaved);
  EXPECT_EQ(batch.StatusOf(2), SaveStatus::kSaved);
  EXPECT_EQ(batch.StatusOf(3), SaveStatus::kChanged);
  EXPECT_EQ(batch.StatusOf(4), SaveStatus::kChanged);
  EXPECT_EQ(ReadFile(paths[0]), NewContents(0));
  EXPECT_EQ(ReadFile(paths[1]), "anderswo geschrieben");
  EXPECT_EQ(ReadFile(paths[2]), NewContents(2));
  EXPECT_EQ(ReadFile(paths[3]), "auch anderswo");
  EXPECT_TRUE(std::filesystem::is_directory(paths[4]));
  EXPECT_EQ(ReadFile(paths[4] + ".alt"), "alt 4");
  EXPECT_EQ(testing::EntriesIn(dir_.path()), 6u) << "a temporary is left";
}

TEST_F(SaveBatchTest, AFileWithSeveralNamesIsWrittenInPlace) {
  const std::vector<std::string> paths = MakeFiles(3);
  const std::string second = dir_.File("zweiter-name");
  std::filesystem::create_hard_link(paths[1], second);
  const ino_t inode = InodeOf(paths[1]);
  SaveBatch batch;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    batch.Add(Loaded(paths[i]), NewContents(i));
  }
  batch.Commit();
  EXPECT_EQ(batch.StatusOf(1), SaveStatus::kSaved);
  EXPECT_EQ(InodeOf(paths[1]), inode);
  EXPECT_EQ(ReadFile(second), NewContents(1));
  EXPECT_EQ(ReadFile(paths[2]), NewContents(2));
}

TEST_F(SaveBatchTest, AFileThatCannotBeWrittenFailsAlone) {
  // Contents beyond the file size limit, as on a full disk: one file to be
  // replaced, one to be written in place.
  const std::vector<std::string> paths = MakeFiles(4);
  std::filesystem::create_hard_link(paths[2], dir_.File("zweiter-name"));
  const std::string too_big(std::size_t{64} << 10, 'x');
  struct rlimit old_limit = {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = rlim_t{16} << 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  SaveBatch batch;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    batch.Add(Loaded(paths[i]), i == 1 || i == 2 ? too_big : NewContents(i));
  }
  batch.Commit();
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(batch.StatusOf(1), SaveStatus::kFailed);
  EXPECT_EQ(batch.StatusOf(2), SaveStatus::kFailed);
  EXPECT_EQ(ReadFile(paths[1]), "alt 1");
  EXPECT_EQ(ReadFile(paths[2]), "alt 2");
  for (const std::size_t i : {0u, 3u}) {
    EXPECT_EQ(batch.StatusOf(i), SaveStatus::kSaved);
    EXPECT_EQ(ReadFile(paths[i]), NewContents(i));
  }
  EXPECT_EQ(testing::EntriesIn(dir_.path()), 5u) << "a temporary is left";
}

TEST_F(SaveBatchTest, AFolderThatRefusesTheRenameGetsTheContentsInPlace) {
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  const std::string folder = dir_.File("eigen");
  std::filesystem::create_directory(folder);
  const std::string doc = folder + "/brief.txt";
  WriteFile(doc, "alt");
  ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
  ASSERT_EQ(::chown(doc.c_str(), 65534, 65534), 0);
  const ino_t inode = InodeOf(doc);
  EXPECT_TRUE(AsOrdinaryUser([&] {
    SaveBatch batch;
    batch.Add(Loaded(doc), "neu");
    // The new file is made; its name can no longer be.
    if (::chmod(folder.c_str(), 0555) != 0) return false;
    batch.Commit();
    return batch.StatusOf(0) == SaveStatus::kSaved;
  }));
  EXPECT_EQ(ReadFile(doc), "neu");
  EXPECT_EQ(InodeOf(doc), inode);
  EXPECT_EQ(testing::EntriesIn(folder), 1u);
}

TEST_F(SaveBatchTest, PastThePendingLimitEarlierFilesAreCommittedFirst) {
  const std::vector<std::string> paths = MakeFiles(10);
  SaveBatch batch(3);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    batch.Add(Loaded(paths[i]), NewContents(i));
    EXPECT_LE(batch.pending(), 3u);
  }
  EXPECT_EQ(batch.StatusOf(0), SaveStatus::kSaved) << "committed early";
  batch.Commit();
  ASSERT_EQ(batch.size(), paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(batch.StatusOf(i), SaveStatus::kSaved) << i;
    EXPECT_EQ(ReadFile(paths[i]), NewContents(i));
  }
  EXPECT_EQ(testing::EntriesIn(dir_.path()), paths.size());
}

TEST_F(SaveBatchTest, ABatchDroppedUncommittedLeavesTheFilesAsTheyWere) {
  const std::vector<std::string> paths = MakeFiles(3);
  {
    SaveBatch batch;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      batch.Add(Loaded(paths[i]), NewContents(i));
    }
  }
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(ReadFile(paths[i]), "alt " + std::to_string(i));
  }
  EXPECT_EQ(testing::EntriesIn(dir_.path()), paths.size());
}

}  // namespace
}  // namespace quor
