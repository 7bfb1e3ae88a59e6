#pragma once

#include <sys/stat.h>

namespace quor {

// Gives the new file `to` everything the file `from` (described by `info`)
// has beyond its contents: owner, group, mode with its set-id bits, and
// every extended attribute, access control lists included. False when any
// of it cannot be had (only root hands a file to another owner; some
// attributes are root's too): the old file must then be written in place.
// `fresh` receives a status of `to` taken on the way: its device and inode
// hold, its owner and mode may be those from before the copy.
bool CopyFileAttributes(int from, const struct stat& info, int to,
                        struct stat& fresh);

}  // namespace quor
