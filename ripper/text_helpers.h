#pragma once
// The ripper window's two text helpers: a folder path made ready for a file
// name, and the text of a zero-padded byte field of a drive record.

#include <QString>
#include <cstddef>
#include <cstdint>

namespace ripper {

// `path` with "/" added when its last character is not "/" (the empty
// path too).
QString AddSlash(const QString& path);

// The characters of every non-zero byte of `bytes`, in order: a zero byte
// is skipped, not taken as the end. The bytes are read as UTF-8 when they
// form it (the CD library writes names so), else as Windows-1252.
QString BytesToStr(const std::uint8_t* bytes, std::size_t count);

template <std::size_t N>
QString BytesToStr(const std::uint8_t (&bytes)[N]) {
  return BytesToStr(bytes, N);
}

}  // namespace ripper
