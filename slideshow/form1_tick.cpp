#include <exception>
#include <optional>
#include <utility>

#include "app/program.h"
#include "dialog/form3.h"
#include "platform/failure.h"
#include "platform/gdi_guards.h"
#include "settings/numbers.h"
#include "slideshow/form1.h"
#include "slideshow/form2.h"
#include "slideshow/form4.h"
#include "slideshow/place_photo.h"

namespace solvarine {

// The worker looks at the tick's photo file, and decodes it if need be, while the UI thread goes
// on handling input; ticks that come in the meantime fold into the waiting one, as timer messages
// fold behind a long tick.
void Form1::Timer2_Timer() {
  if (waiting_for_photo_)
    return;
  unreadable_ = 0;
  ShowNextPhoto();
}

void Form1::PhotoDecoded() {
  if (std::exchange(waiting_for_photo_, false))
    ShowNextPhoto();
}

std::string Form1::PhotoPath() {
  const FileListBox& File1 = program_.form3().File1;
  const std::string& folder = File1.Path();
  const std::string separator = folder.ends_with('\\') ? "" : "\\";
  return folder + separator + File1.List(File1.ListIndex());
}

// A photo that cannot be loaded is passed over within the tick; only a whole round of them means
// that the photo set cannot be used. Whatever stopped a decode, out of memory included, stopped
// that photo only: the next one may well fit.
void Form1::ShowNextPhoto() {
  try {
    const double side = chokkei.ToDouble();
    for (;;) {
      Filename = PhotoPath();
      const std::optional<DecodedPicture> decoded = ahead_.Collect(Filename, side);
      if (!decoded) {
        waiting_for_photo_ = true;
        return;
      }
      if (decoded->picture) {
        ShowPhoto(*decoded->picture, side);
        Advance();
        ahead_.Prepare(PhotoPath(), side);
        return;
      }
      if (++unreadable_ >= program_.form3().File1.ListCount())
        std::rethrow_exception(decoded->error);
      Advance();
    }
  } catch (const ProgramEnd&) {
    throw;
  } catch (...) {
    FailAndEnd();
  }
}

// The photo goes to a random place on the monitor whose turn it is, and the screen as it stands
// becomes the backdrop, so every earlier photo stays where it was shown.
void Form1::ShowPhoto(const Picture& picture, double side) {
  Platform& platform = program_.platform();
  Gdi& gdi = platform.gdi;
  Form4& form4 = program_.form4();
  const std::vector<Rect> monitors = Monitors();
  const bool moved = FollowMonitors(monitors);

  form4.Picture2->SetPicture(picture);
  form4.Picture1->ClearPicture();

  const SizeF photo = form4.Picture2->ScaleSize();
  const PhotoSize size = SizePhoto(photo.width, photo.height, side);

  if (!moved)
    CopyScreen(monitors);

  const Hdc canvas = form4.Picture1->hDC();
  gdi.SetStretchBltMode(canvas, COLORONCOLOR);
  gdi.StretchBlt(canvas, size.marginx, size.marginy, size.photow, size.photoh,
                 form4.Picture2->hDC(), 0, 0, ToInt32(photo.width), ToInt32(photo.height), SRCCOPY);

  const float u1 = platform.random.Rnd();
  const float u2 = platform.random.Rnd();
  const Rect& monitor = monitors[turn_++ % monitors.size()];
  const CanvasPlace place = PlaceOnMonitor(size, side, monitor, *covered_, u1, u2);

  form4.Picture1->Move(place.left, place.top);
  RectRegion(gdi, place.clip.left, place.clip.top, place.clip.right, place.clip.bottom)
      .SetAsWindowRegion(form4.window->hWnd());
  shown_ = place;
}

void Form1::Advance() {
  FileListBox& File1 = program_.form3().File1;
  Filepos = CheckedAdd16(Filepos, 1);
  if (Filepos > File1.ListCount() - 1)
    Filepos = 0;
  File1.SetListIndex(Filepos);
}

}  // namespace solvarine
