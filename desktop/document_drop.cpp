#include "desktop/document_drop.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace quor {

std::optional<DroppedDocument> ReadDrop(const QMimeData& data) {
  if (data.hasUrls()) {
    for (const QUrl& url : data.urls()) {
      if (!url.isLocalFile()) continue;
      // The path's bytes as the file system holds them, whatever they are.
      const QByteArray path = QFile::encodeName(url.toLocalFile());
      return DroppedDocument{path.toStdString(), std::nullopt};
    }
  }
  if (data.hasText()) return DroppedDocument{std::nullopt, data.text()};
  return std::nullopt;
}

}  // namespace quor
