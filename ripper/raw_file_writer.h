#pragma once
// clsFileIo, the ripper's raw file writer: one file opened (created or
// truncated, so that it holds exactly what is written through it), blocks
// of memory written to it, flushed to the disk and closed once.

#include <QString>
#include <cstdint>

class clsFileIo {
 public:
  clsFileIo() = default;
  // Closes the file when CloseFile was not called.
  ~clsFileIo();
  clsFileIo(const clsFileIo&) = delete;
  clsFileIo& operator=(const clsFileIo&) = delete;

  // Opens `FileN` for reading and writing, creating it or cutting it to
  // nothing; true on success, and the path becomes FileName.
  bool OpenFile(const QString& FileN);
  // Closes the file when one is open (the handle is -1 afterwards) and
  // answers true, with the outcome of the close in lastResult; false when
  // none was open.
  bool CloseFile();
  // Writes all `Size` bytes at `Pointer` when a file is open; true when
  // every byte was written.
  bool WriteBytes(const void* Pointer, std::int32_t Size);
  // Flushes what was written to the disk; true on success.
  bool FlushBuffers();

  int handle() const { return handle_; }
  const QString& FileName() const { return fileName_; }
  // The result of the last write, flush or close (true or false).
  bool lastResult() const { return lastResult_; }
  // The bytes the last WriteBytes wrote.
  std::int32_t bytesDone() const { return bytesDone_; }
  // The system's error number of the last failed call; 0 when none failed.
  int lastError() const { return lastError_; }

 private:
  bool failed(int error);

  int handle_ = -1;
  bool lastResult_ = false;
  std::int32_t bytesDone_ = 0;
  QString fileName_;
  int lastError_ = 0;
};
