#include "track_rip.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "cd_access.h"
#include "cd_drives.h"
#include "cd_library.h"
#include "dialogs/dialog_service.h"
#include "frm_progress.h"
#include "mp3_encoder.h"
#include "raw_file_writer.h"
#include "rip_error.h"
#include "runtime_rules.h"
#include "store_error.h"

namespace ripper {

std::int16_t CancelRip = 0;

namespace {

constexpr int kReadTries = 3;

controls::FormSlot<frmProgress>& progressSlot() {
  static controls::FormSlot<frmProgress> slot;
  return slot;
}

[[noreturn]] void throwFileError(int error) {
  throw RipError(error, "clsFileIo", store::describeErrno(error));
}

void write(clsFileIo& file, const std::vector<std::uint8_t>& bytes, std::uint32_t count) {
  if (!file.WriteBytes(bytes.data(), static_cast<std::int32_t>(count))) throwFileError(file.lastError());
}

void flush(clsFileIo& file) {
  if (!file.FlushBuffers()) throwFileError(file.lastError());
}

// Reads `count` frames from `frame` into the buffer, calling the library at
// most three times.
bool readBlock(TrackBuffer& buffer, std::int32_t frame, std::uint32_t count) {
  for (int attempt = 0; attempt < kReadTries; ++attempt) {
    buffer.firstFrame = static_cast<std::uint32_t>(frame);
    buffer.frameCount = count;
    buffer.capacity = kTrackBufferCapacity;
    buffer.lengthFilled = 0;
    buffer.status = 0;
    buffer.startOffset = 0;
    if (cdDrives().ReadCDAudioLBA(buffer) == 1) return true;
  }
  return false;
}

// The read error of a track that has no frame between its first frame and
// its end, when it is one: a track that ends before it begins lies nowhere
// on the disc, and an empty one must still begin on it. Both are what a
// disc image cut short gives the tracks past its end.
std::optional<QString> readErrorOfEmptyTrack(TrackBuffer& buffer, std::int32_t first, std::int32_t end) {
  if (end < first) return akripErrorText(cdlib::kReadFailed);
  if (end == first && !readBlock(buffer, first, 1)) return cdDrives().AKRipErrText();
  return std::nullopt;
}

// Removes what an unfinished rip wrote (a plain file only: the path may
// name a device or a link).
void removePartialFile(const QString& path) {
  std::error_code ec;
  const std::filesystem::path file(path.toStdString());
  if (std::filesystem::symlink_status(file, ec).type() == std::filesystem::file_type::regular)
    std::filesystem::remove(file, ec);
}

void unloadProgress() {
  if (frmProgress* progress = progressSlot().ifLoaded()) progress->Unload();
}

// Extracts under way that keep the progress window up between tracks.
int& extractsKeepingProgress() {
  static int count = 0;
  return count;
}

// The progress window at the end of a track's rip: kept up for the next
// track while an extract goes on, taken down when the rip stops.
void endOfTrack() {
  if (extractsKeepingProgress() > 0)
    if (frmProgress* progress = progressSlot().ifLoaded()) progress->takeHeldCancel();
  if (extractsKeepingProgress() == 0 || CancelRip) unloadProgress();
}

}  // namespace

void showCriticalError(const QString& description) {
  platform::dialogs().MsgBox(description, platform::vbCritical, QStringLiteral("Critical error..."));
}

frmProgress* progressWindow() { return progressSlot().ifLoaded(); }

ExtractProgress::ExtractProgress() { ++extractsKeepingProgress(); }

ExtractProgress::~ExtractProgress() {
  if (--extractsKeepingProgress() == 0) unloadProgress();
}

RipOutcome RipTrackToMp3(const QString& path, std::int32_t& firstFrame, std::int32_t& endFrame,
                         EncoderSettings& settings, controls::Form* ripperWindow) {
  CancelRip = 0;
  if (ripperWindow) ripperWindow->setEnabled(false);
  frmProgress& progress = progressSlot().get();
  progress.startTrack();
  if (ripperWindow)
    progress.Show(controls::vbModeless, *ripperWindow);
  else
    progress.Show();

  encoder::StreamHandle stream = 0;
  bool streamOpen = false;
  std::unique_ptr<clsFileIo> file;
  bool fileWritten = false;
  RipOutcome outcome = RipOutcome::Failed;
  try {
    std::uint32_t samplesPerChunk = 0, outputSize = 0;
    if (const std::uint32_t error = encoder::beInitStream(&settings, &samplesPerChunk, &outputSize, &stream))
      throw RipError(static_cast<int>(error), "Lame", LameErrText(error).toStdString());
    streamOpen = true;

    file = std::make_unique<clsFileIo>();
    if (!file->OpenFile(path)) throwFileError(file->lastError());
    fileWritten = true;

    auto readBuffer = std::make_unique<TrackBuffer>();
    const std::int32_t total = std::max(0, endFrame - firstFrame);
    std::int32_t remaining = total;
    std::vector<std::uint8_t> output(outputSize);
    std::uint32_t written = 0;
    outcome = RipOutcome::Finished;

    std::optional<QString> readError = readErrorOfEmptyTrack(*readBuffer, firstFrame, endFrame);
    // The last block's pass of the event loop waits until the track is
    // closed, right before the track's end: a Cancel pressed while the file
    // was being finished is taken then, and stops the tracks after this one.
    bool lastPassOwed = false;
    while (!readError && remaining > 0) {
      const auto count = static_cast<std::uint32_t>(std::min(kFramesPerBlock, remaining));
      if (!readBlock(*readBuffer, firstFrame, count)) {
        readError = cdDrives().AKRipErrText();
        break;
      }
      for (std::uint32_t f = 0; f < count; ++f) {
        const auto* samples = reinterpret_cast<const std::int16_t*>(readBuffer->frames + f * kFrameBytes);
        encoder::beEncodeChunk(stream, kSamplesPerFrame, samples, output.data(), &written);
        if (written > 0) write(*file, output, written);
      }
      flush(*file);
      firstFrame += static_cast<std::int32_t>(count);
      remaining -= static_cast<std::int32_t>(count);
      if (CancelRip) {
        outcome = RipOutcome::Cancelled;
        break;
      }
      progress.ChangeProgress(QStringLiteral("Extracting track ") + path, static_cast<float>(total - remaining),
                              static_cast<float>(total));
      if (remaining > 0)
        runtime::letPendingEventsRun();
      else
        lastPassOwed = true;
    }
    if (readError) {
      platform::dialogs().MsgBox(*readError, platform::vbOKOnly);
      outcome = RipOutcome::Failed;
    }

    // Closing steps.
    encoder::beDeinitStream(stream, output.data(), &written);
    if (written > 0) {
      write(*file, output, written);
      flush(*file);
    }
    readBuffer.reset();
    output = {};
    file->CloseFile();
    if (!file->lastResult()) throwFileError(file->lastError());
    file.reset();
    streamOpen = false;
    encoder::beCloseStream(stream);
    if (lastPassOwed) runtime::letPendingEventsRun();
    endOfTrack();
  } catch (const std::exception& error) {
    // Error steps.
    outcome = RipOutcome::Failed;
    showCriticalError(QString::fromStdString(error.what()));
    if (file && file->handle() != -1) {
      file->FlushBuffers();
      file->CloseFile();
    }
    file.reset();
    if (streamOpen) {
      try {
        encoder::beCloseStream(stream);
      } catch (const RipError&) {
        // The encoder faulted again on its way out; the error is shown already.
      }
    }
    endOfTrack();
  }
  if (outcome != RipOutcome::Finished && fileWritten) removePartialFile(path);
  return outcome;
}

}  // namespace ripper
