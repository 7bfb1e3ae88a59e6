#include "desktop/clipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "core/view/cp1252_text.h"
#include "desktop/pasted_text.h"

namespace quor {
namespace {

// How long a batch run waits for its clipboard keeper to own the clipboard.
constexpr int kKeeperStartMilliseconds = 10000;

// What the keeper tells the batch run; 0 stands for no word from it.
enum KeeperReport : char { kKeeperSilent = 0, kKeeperReady, kKeeperNoMemory };

// The clipboard of the running application; none without a GUI application.
QClipboard* RunningClipboard() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return nullptr;
  }
  return QGuiApplication::clipboard();
}

// Keeps no file of the caller open (a shell reading the program's output
// would wait for it) and no working folder busy. The ready pipe becomes fd 3.
void DetachKeeper(int ready_fd) {
  ::dup2(ready_fd, 3);
  ::close_range(4, ~0U, 0);
  const int null_fd = ::open("/dev/null", O_RDWR);
  for (int fd = 0; fd <= 2; ++fd) ::dup2(null_fd, fd);
  if (null_fd > 3) ::close(null_fd);
  if (::chdir("/") != 0) ::_exit(1);
  // A platform that cannot start aborts; that is reported by the caller and
  // needs no core file.
  const rlimit no_core{0, 0};
  ::setrlimit(RLIMIT_CORE, &no_core);
  // A caller that gave up has closed its end: writing then fails instead of
  // killing the keeper, which ends without serving.
  std::signal(SIGPIPE, SIG_IGN);
}

// The keeper's whole life: owns the clipboard, tells the caller through
// fd 3, and serves the text until another program owns the clipboard. Without
// memory for the text it tells that instead.
[[noreturn]] void RunKeeper(std::string_view bytes, const char* platform) {
  // The text comes first: the keeper holds a second copy of it, and without
  // the memory for that it needs no window system to say so.
  QString text;
  try {
    text = QString::fromStdU16String(Cp1252ToUtf16(bytes));
  } catch (const std::bad_alloc&) {
    const char report = kKeeperNoMemory;
    ::_exit(::write(3, &report, 1) == 1 ? 0 : 1);
  }
  std::string program = "quorfilter";
  std::string platform_option = "-platform";
  std::string platform_name = platform;
  char* argv[] = {program.data(), platform_option.data(), platform_name.data(),
                  nullptr};
  int argc = 3;
  int status = 1;
  {
    QGuiApplication application(argc, argv);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    const char ready = kKeeperReady;
    if (clipboard->ownsClipboard() && ::write(3, &ready, 1) == 1) {
      ::close(3);
      QObject::connect(
          clipboard, &QClipboard::changed, &application,
          [clipboard](QClipboard::Mode mode) {
            if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard()) {
              QCoreApplication::quit();
            }
          });
      status = QGuiApplication::exec();
    }
  }
  ::_exit(status);
}

// Ready once the keeper owns the clipboard; silent when it ended, or did not
// get there in time, without saying so.
KeeperReport WaitForKeeper(int ready_fd) {
  pollfd entry{ready_fd, POLLIN, 0};
  int polled = 0;
  do {
    polled = ::poll(&entry, 1, kKeeperStartMilliseconds);
  } while (polled < 0 && errno == EINTR);
  char report = kKeeperSilent;
  if (polled <= 0 || ::read(ready_fd, &report, 1) != 1) return kKeeperSilent;
  return static_cast<KeeperReport>(report);
}

// Starts the keeper as a grandchild in a session of its own, so that neither
// the program's end nor its terminal ends it, and waits until it owns the
// clipboard or tells why not.
KeeperReport StartKeeper(std::string_view bytes, const char* platform) {
  int ready_pipe[2];
  if (::pipe2(ready_pipe, O_CLOEXEC) != 0) return kKeeperSilent;
  // Buffered output must not be written twice.
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ready_pipe[0]);
    if (::setsid() < 0 || ::fork() != 0) ::_exit(0);
    DetachKeeper(ready_pipe[1]);
    RunKeeper(bytes, platform);
  }
  ::close(ready_pipe[1]);
  KeeperReport report = kKeeperSilent;
  if (child > 0) {
    ::waitpid(child, nullptr, 0);
    report = WaitForKeeper(ready_pipe[0]);
  }
  ::close(ready_pipe[0]);
  return report;
}

}  // namespace

const char* WindowSystemPlatform() {
  const auto is_set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (is_set("DISPLAY")) return "xcb";
  if (is_set("WAYLAND_DISPLAY")) return "wayland";
  return nullptr;
}

bool CopyToClipboard(const TextDocument& document, Messages& messages) {
  if (!document.text) {
    messages.Show(kNoTextInMemory, kCaptionError);
    return false;
  }
  QClipboard* clipboard = RunningClipboard();
  if (clipboard == nullptr) {
    messages.Show(kClipboardBusy, kCaptionError);
    return false;
  }
  // Held here until the clipboard takes it: the toolkit's own setText would
  // leak the data when memory runs out half way.
  try {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdU16String(Cp1252ToUtf16(*document.text)));
    clipboard->setMimeData(data.release(), QClipboard::Clipboard);
  } catch (const std::bad_alloc&) {
    messages.Show(kNoMemory, kCaptionError);
    return false;
  }
  return true;
}

bool PasteFromClipboard(Application& app, bool ask) {
  if (ask && !MayOverwriteText(app)) return false;
  QClipboard* clipboard = RunningClipboard();
  if (clipboard == nullptr) {
    app.messages.Show(kClipboardBusy, kCaptionError);
    return false;
  }
  const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
  if (data == nullptr || !data->hasText()) {
    app.messages.Show(kNoTextOnClipboard, kCaptionError);
    return false;
  }
  return PasteText(app, data->text());
}

void CopyToClipboardAfterExit(std::optional<std::string_view> text,
                              Messages& messages) {
  if (!text) {
    messages.Show(kNoTextInMemory, kCaptionError);
    return;
  }
  const char* platform = WindowSystemPlatform();
  const KeeperReport report =
      platform == nullptr ? kKeeperSilent : StartKeeper(*text, platform);
  if (report == kKeeperNoMemory) {
    messages.Show(kNoMemory, kCaptionError);
  } else if (report != kKeeperReady) {
    messages.Show(kClipboardBusy, kCaptionError);
  }
}

}  // namespace quor
