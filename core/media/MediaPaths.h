// Path forms of the media store: full server paths, paths below the media
// root, and the directory/name split every command uses.
#pragma once

#include <QString>

namespace MediaPaths {

// Collapses doubled "/", drops "." and resolves ".." components, removes a
// trailing "/". A leading "/" is kept; ".." never climbs above the start.
QString normalise(const QString &path);

// Text before the last "/" (empty when there is none).
QString dirPart(const QString &path);
// Text after the last "/" (the whole text when there is none).
QString namePart(const QString &path);

// The path below the normalised root without a leading "/"; empty when the
// path is the root itself. ok is false when the path does not lie under
// root: cutting characters blindly would address some other directory.
QString belowRoot(const QString &fullPath, const QString &root, bool *ok);

// Directory of a rename target below the root: "" one level below the
// root, "/sub/dir" deeper down.
QString renameDir(const QString &newFullPath, const QString &root);

// Call recordings live in the recording store and may be served by a
// separate recording host.
bool isRecordingPath(const QString &path);

} // namespace MediaPaths
