// The least a safe in-place run can do to each file: a new file beside it,
// written and renamed over it; nothing read, nothing flushed. Timed by
// compare_batch.sh next to the runs that do the whole job, it shows how much
// of their time the file system alone takes.
//
//   new_files_floor FILE...

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  const std::string contents(4096, 'a');
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string path = argv[i];
    const std::size_t slash = path.rfind('/');
    const std::string temporary =
        (slash == std::string::npos ? std::string()
                                    : path.substr(0, slash + 1)) +
        ".floor" + std::to_string(i);
    const int fd = ::open(temporary.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    const bool written = fd >= 0 &&
                         ::write(fd, contents.data(), contents.size()) ==
                             static_cast<ssize_t>(contents.size()) &&
                         ::close(fd) == 0 &&
                         ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
      std::perror(path.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
