#include "desktop/clipboard_keeper.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <utility>

#include "core/app/clipboard_keeper_mode.h"
#include "desktop/clipboard.h"

namespace quor {
namespace {

// A keeper owns the clipboard within a fraction of a second; an X server
// that does not answer must not hold the window's end for long.
constexpr int kFinishMilliseconds = 3000;

}  // namespace

ClipboardKeeper::ClipboardKeeper(std::string program_file)
    : program_file_(std::move(program_file)) {}

ClipboardKeeper::~ClipboardKeeper() { Finish(); }

void ClipboardKeeper::HandOver(std::string_view bytes) {
  if (program_file_.empty() || WindowSystemPlatform() == nullptr) return;
  // Keepers in turn: a later copy must not be overtaken by an earlier one.
  Finish();
  process_ = std::make_unique<QProcess>();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QString::fromLatin1(kClipboardKeeperVariable),
                     QStringLiteral("1"));
  // The keeper picks the window system's own platform.
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  process_->setProcessEnvironment(environment);
  process_->setStandardOutputFile(QProcess::nullDevice());
  process_->setStandardErrorFile(QProcess::nullDevice());
  process_->start(QFile::decodeName(program_file_.c_str()), {});
  process_->write(bytes.data(), static_cast<qint64>(bytes.size()));
  process_->closeWriteChannel();
}

bool ClipboardKeeper::Finish() {
  if (!process_) return false;
  if (process_->state() != QProcess::NotRunning) {
    process_->waitForFinished(kFinishMilliseconds);
  }
  return process_->state() == QProcess::NotRunning &&
         process_->exitStatus() == QProcess::NormalExit &&
         process_->exitCode() == 0;
}

}  // namespace quor
