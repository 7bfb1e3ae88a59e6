#pragma once

#include <optional>
#include <string>

#include <QString>

class QMimeData;

namespace quor {

// What a drop on the window brings: a local file to load, else text to
// paste.
struct DroppedDocument {
  std::optional<std::string> path;
  std::optional<QString> text;
};

// Absent when the drop holds neither a local file nor text. Of several
// files the first is taken.
std::optional<DroppedDocument> ReadDrop(const QMimeData& data);

}  // namespace quor
