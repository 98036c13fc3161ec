// How a render shows how far it has come, and learns that the user pressed
// Cancel. The progress dialog of sondrel implements it; the back ends take it
// instead of a window, so that what a dialog shows is decided in one place.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "base/win32_files.h"

namespace sondrel {

class RenderProgress {
 public:
  // The status line: the lyric (ANSI) of the note being rendered.
  virtual void showNote(const std::string& lyric) = 0;
  // The status line: `ended` of `total` resampler runs made ahead of the
  // scripts have ended.
  virtual void showResampling(size_t ended, size_t total) = 0;
  // The status line: the resampling ahead of the scripts is done; the
  // scripts now write the WAV file.
  virtual void showWritingWav() = 0;
  // The progress bar runs from 0 to `total`.
  virtual void setRange(size_t total) = 0;
  virtual void setPosition(size_t position) = 0;
  // Signalled once Cancel has been pressed; the render's waits on its tools
  // wait on it too. Null when nothing can cancel.
  virtual HANDLE cancelEvent() const = 0;

  bool cancelled() const { return base::isSignalled(cancelEvent()); }

 protected:
  ~RenderProgress() = default;
};

}  // namespace sondrel
