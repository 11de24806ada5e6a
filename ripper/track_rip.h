#pragma once
// Ripping one track of the open drive into an MP3 file: the frames are read
// in blocks of 26, encoded frame by frame and written through clsFileIo,
// with the progress window shown and the event loop run after every block,
// where the progress window's Cancel can stop the rip.

#include <QString>
#include <cstdint>

#include "encoder_settings.h"

namespace controls {
class Form;
}
class frmProgress;

namespace ripper {

// The cancel flag of the ripper (true = -1): set by the progress window's
// Cancel, cleared at the start of every rip and polled after every block.
inline constexpr std::int16_t kCancelled = -1;
extern std::int16_t CancelRip;

enum class RipOutcome {
  Finished,   // the whole track is in the file
  Cancelled,  // stopped by CancelRip; the file is gone
  Failed,     // a read, encoder or file error was shown; the file is gone
};

// Rips frames `firstFrame` up to `endFrame` (not included) of the open
// drive (CdHandle) into `path`, with the encoder settings `settings`.
// `firstFrame` advances by each block done. `ripperWindow`, when given, is
// disabled for the rip (the caller enables it again) and owns the progress
// window, which goes when the track ends unless an ExtractProgress keeps
// it up for the next one. A read that fails three times shows the CD library's error text,
// as does a track none of which lies on the disc (one that ends before it
// begins, or an empty one whose first frame cannot be read); an encoder or
// file error, or a fault inside the libraries while the fault
// filter is installed, shows its description in a "Critical error..." box.
// A track that did not finish leaves no file behind.
RipOutcome RipTrackToMp3(const QString& path, std::int32_t& firstFrame, std::int32_t& endFrame,
                         EncoderSettings& settings, controls::Form* ripperWindow = nullptr);

// One progress window for all the tracks of an extract, while this lives:
// a track whose rip ends leaves the window up for the next track's, back at
// its start, unless the rip was cancelled; the window goes with this. A
// window taken down and made anew between two tracks would lose a Cancel
// pressed as the first ended: the window system hands the press to the
// window it was made in, after the rip next lets events run. A Cancel held
// down as a track ends stops the tracks after it.
class ExtractProgress {
 public:
  ExtractProgress();
  ~ExtractProgress();
  ExtractProgress(const ExtractProgress&) = delete;
  ExtractProgress& operator=(const ExtractProgress&) = delete;
};

// Shows `description` as the rip shows the error that stopped it: a
// critical box titled "Critical error...".
void showCriticalError(const QString& description);

// The progress window while a rip shows it; nullptr otherwise.
frmProgress* progressWindow();

}  // namespace ripper
