#pragma once

#include <memory>
#include <optional>
#include <string>

class QFileDialog;
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

// The toolkit's own file dialogs, in German whatever the desktop's dialogs
// would say, with the program's four file types in either letter case. They
// start beside the current document (else in the home folder), and the save
// dialog suggests the document's name. No suffix is added to a typed name.
// The save dialog does not warn about an existing file: the program asks
// about that itself.
class QtFileDialogs : public FileDialogs {
 public:
  // `document_path` is read at each dialog; empty when there is none.
  explicit QtFileDialogs(const std::string& document_path)
      : document_path_(document_path) {}

  std::optional<std::string> OpenFile(QWidget* owner) override;
  std::optional<std::string> SaveFile(QWidget* owner) override;

 private:
  const std::string& document_path_;
};

// A dialog set up as OpenFile (`save` false) or SaveFile use it.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* owner, bool save,
                                            const std::string& document_path);

}  // namespace quor
