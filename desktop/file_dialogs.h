#pragma once

#include <optional>
#include <string>

class QWidget;

namespace quor {

// Where "Laden" and "Speichern" get their file names from; tests answer in
// place of the user.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;

  // The chosen file as a local path, or nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(QWidget* owner) = 0;
  virtual std::optional<std::string> SaveFile(QWidget* owner) = 0;
};

// The toolkit's file dialogs with the program's four file types and ".TXT" as
// the default extension. The save dialog does not warn about an existing
// file: the program asks about that itself.
class QtFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> OpenFile(QWidget* owner) override;
  std::optional<std::string> SaveFile(QWidget* owner) override;
};

}  // namespace quor
