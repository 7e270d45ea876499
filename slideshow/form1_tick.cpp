#include "app/program.h"
#include "dialog/form3.h"
#include "platform/gdi_guards.h"
#include "settings/numbers.h"
#include "slideshow/form1.h"
#include "slideshow/form2.h"
#include "slideshow/form4.h"
#include "slideshow/place_photo.h"

namespace solvarine {

// One tick: the current photo goes to a random place and the screen as it stands becomes the
// backdrop, so every earlier photo stays where it was shown.
void Form1::ShowPhoto() {
  Platform& platform = program_.platform();
  Gdi& gdi = platform.gdi;
  FileListBox& File1 = program_.form3().File1;
  Form4& form4 = program_.form4();

  const std::string& folder = File1.Path();
  const std::string separator = folder.ends_with('\\') ? "" : "\\";
  Filename = folder + separator + File1.List(File1.ListIndex());

  const double side = chokkei.ToDouble();
  form4.Picture2->SetPicture(platform.pictures.LoadPicture(Filename, side));
  form4.Picture1->ClearPicture();

  const SizeF photo = form4.Picture2->ScaleSize();
  const PhotoSize size = SizePhoto(photo.width, photo.height, side);

  {
    const WindowDc screen(gdi, gdi.GetDesktopWindow());
    const SizeF screen_size = window->ScaleSize();
    gdi.BitBlt(program_.form2().window->hDC(), 0, 0, ToInt32(screen_size.width),
               ToInt32(screen_size.height), screen.get(), 0, 0, SRCCOPY);
  }

  const Hdc canvas = form4.Picture1->hDC();
  gdi.SetStretchBltMode(canvas, COLORONCOLOR);
  gdi.StretchBlt(canvas, size.marginx, size.marginy, size.photow, size.photoh,
                 form4.Picture2->hDC(), 0, 0, ToInt32(photo.width), ToInt32(photo.height), SRCCOPY);

  const float u1 = platform.random.Rnd();
  const float u2 = platform.random.Rnd();
  const SizeF screen_twips = platform.ui.ScreenTwips();
  const PhotoPlace place = PlacePhoto(size, side, screen_twips.width, screen_twips.height, u1, u2);

  form4.Picture1->Move(ToInt32(static_cast<float>(place.posx)), place.posy);
  RectRegion(gdi, place.clip.left, place.clip.top, place.clip.right, place.clip.bottom)
      .SetAsWindowRegion(form4.window->hWnd());

  Filepos = CheckedAdd16(Filepos, 1);
  if (Filepos > File1.ListCount() - 1)
    Filepos = 0;
  File1.SetListIndex(Filepos);
}

}  // namespace solvarine
