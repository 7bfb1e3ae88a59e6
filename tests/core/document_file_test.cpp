#include "core/app/document_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

struct PathCase {
  const char* argument;
  std::optional<std::string> path;
};

void PrintTo(const PathCase& c, std::ostream* os) {
  *os << testing::Escaped(c.argument);
}

class PathFromArgumentCases : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathFromArgumentCases, FindsThePath) {
  EXPECT_EQ(PathFromArgument(GetParam().argument), GetParam().path)
      << GetParam().argument;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathFromArgumentCases,
    ::testing::Values(
        // After -d: the path is the rest of the argument, quotes and all...
        PathCase{"-d:/a b/t.txt", "/a b/t.txt"},
        PathCase{"-d:dq\"name.txt", "dq\"name.txt"},
        PathCase{"-d:'x'\"", "'x'\""}, PathCase{"-d:", ""},
        // ...unless the shell passed the user's quotes around it.
        PathCase{"-D:\"x.txt\"", "x.txt"}, PathCase{"-d:\"a\"b\"", "a\"b"},
        PathCase{"-d:\"\"", ""}, PathCase{"-d:\"", std::nullopt},
        PathCase{"-d:\"a\"b", std::nullopt},
        // Without -d: at its start the whole argument is the path.
        PathCase{"\"/t.txt\"", "\"/t.txt\""}, PathCase{"x-d:y", "x-d:y"}));

class DocumentFile : public ::testing::Test {
 protected:
  Application NewApp() { return Application(ProgramPaths{}, messages_); }
  std::string Quoted(const std::string& path) { return "-d:\"" + path + "\""; }

  testing::TempDir dir_;
  testing::RecordingMessages messages_;
};

TEST_F(DocumentFile, LoadThenSaveKeepsEveryByte) {
  const std::string bytes = testing::AllNonZeroBytes() + "\r\n\n\r";
  WriteFile(dir_.File("in.txt"), bytes);
  Application app = NewApp();
  LoadDocument(app, Quoted(dir_.File("in.txt")));
  ASSERT_TRUE(app.document.HasText());
  EXPECT_EQ(*app.document.text, bytes);
  EXPECT_EQ(app.document_path, dir_.File("in.txt"));
  SaveDocument(app.document, dir_.File("out.txt"), messages_);
  EXPECT_EQ(ReadFile(dir_.File("out.txt")), bytes);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DocumentFile, FileWithAZeroByteIsRefusedAndKeepsTheDocument) {
  WriteFile(dir_.File("a.txt"), "alt");
  Application app = NewApp();
  LoadDocument(app, dir_.File("a.txt"));
  for (const std::string& bytes :
       {std::string(1, '\0'), std::string("vorne\0hinten", 12),
        std::string("ende\0", 5)}) {
    WriteFile(dir_.File("z.txt"), bytes);
    messages_.shown.clear();
    EXPECT_FALSE(ReadDocument(app, Quoted(dir_.File("z.txt"))));
    EXPECT_EQ(app.document.text, "alt");
    EXPECT_EQ(app.document_path, "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].first, "Fehler!");
    EXPECT_EQ(messages_.shown[0].second, "Datei enthält Nullbytes.");
  }
}

TEST_F(DocumentFile, FailedLoadKeepsTheDocumentAndEmptiesItsPath) {
  WriteFile(dir_.File("a.txt"), "alt");
  Application app = NewApp();
  LoadDocument(app, dir_.File("a.txt"));
  std::vector<std::string> arguments = {
      dir_.File("missing.txt"), dir_.path(), dir_.File("a.txt") + "/x.txt",
      Quoted(""), "\"" + dir_.File("a.txt") + "\"",
      // An opening quote without its closing one names no file at all.
      "-d:\"" + dir_.File("a.txt")};
  if (::geteuid() != 0) {  // root reads any file
    WriteFile(dir_.File("locked.txt"), "zu");
    ASSERT_EQ(::chmod(dir_.File("locked.txt").c_str(), 0), 0);
    arguments.push_back(Quoted(dir_.File("locked.txt")));
  }
  for (const std::string& argument : arguments) {
    messages_.shown.clear();
    app.document_path = "stale";
    LoadDocument(app, argument);
    EXPECT_EQ(app.document.text, "alt") << argument;
    EXPECT_EQ(app.document_path, "") << argument;
    ASSERT_EQ(messages_.shown.size(), 1u) << argument;
    EXPECT_EQ(messages_.shown[0].first, "Fehler!");
    EXPECT_EQ(messages_.shown[0].second, "Kann Datei nicht öffnen.");
  }
}

TEST_F(DocumentFile, EmptyCommandLineLoadsNothingAndAnEmptyFileNoText) {
  Application app = NewApp();
  LoadDocument(app, "");
  EXPECT_FALSE(app.document.HasText());
  WriteFile(dir_.File("e.txt"), "");
  LoadDocument(app, dir_.File("e.txt"));
  EXPECT_EQ(app.document.text, "");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DocumentFile, OverlongPathIsRefusedNotCut) {
  // A real file whose path is longer than the limit; its first 1000
  // characters name a file too, which must not be loaded instead.
  std::string folder = dir_.path();
  while (folder.size() < kMaxWorkingPath - 60) {
    folder += "/" + std::string(50, 'd');
    std::filesystem::create_directory(folder);
  }
  const std::string long_path = folder + "/" + std::string(100, 'f');
  WriteFile(long_path, "lang");
  WriteFile(long_path.substr(0, kMaxWorkingPath), "kurz");
  Application app = NewApp();
  LoadDocument(app, long_path);
  EXPECT_FALSE(app.document.HasText());
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].second, "Kann Datei nicht öffnen.");

  TextDocument document{std::string("neu")};
  SaveDocument(document, long_path, messages_);
  EXPECT_EQ(ReadFile(long_path), "lang");
  EXPECT_EQ(ReadFile(long_path.substr(0, kMaxWorkingPath)), "kurz");
  EXPECT_EQ(messages_.shown.back().second, "Kann Datei nicht anlegen.");
}

TEST_F(DocumentFile, SaveKeepsPermissionsAndFollowsLinks) {
  const std::string target = dir_.File("target.txt");
  WriteFile(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  std::filesystem::create_symlink(target, dir_.File("link.txt"));
  TextDocument document{std::string("new")};
  SaveDocument(document, dir_.File("link.txt"), messages_);
  EXPECT_TRUE(std::filesystem::is_symlink(dir_.File("link.txt")));
  EXPECT_EQ(ReadFile(target), "new");
  struct stat info;
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_TRUE(messages_.shown.empty());
  // No temporary file is left behind.
  EXPECT_EQ(testing::EntriesIn(dir_.path()), 2u);
}

}  // namespace
}  // namespace quor
