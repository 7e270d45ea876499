#include <cmath>

#include "app/program.h"
#include "dialog/form3.h"
#include "dialog/preview_fit.h"
#include "platform/failure.h"
#include "settings/numbers.h"

namespace solvarine {

void Form3::Command3_Click() {
  if (!Directory.empty())
    CommonDialog1.InitDir = Directory;
  CommonDialog1.Filter = kPhotoFilter;
  CommonDialog1.FilterIndex = 1;
  CommonDialog1.Flags = kOpenFileMustExist;
  CommonDialog1.ShowOpen();
  if (CommonDialog1.FileName.empty())
    return;

  // A file that is not a readable picture is refused before anything changes, so the dialog
  // keeps describing the earlier choice and nothing the user set is lost.
  Picture picture;
  try {
    picture = program_.platform().pictures.LoadPicture(CommonDialog1.FileName, PreviewDiagonal());
  } catch (const Failure&) {
    return;
  }
  Filename = CommonDialog1.FileName;
  FilenameS = CommonDialog1.FileTitle;
  Label6->SetCaption(FilenameS);
  Directory = CommonDialog1.Folder;
  Picture2->SetPicture(picture);
  picture2_diagonal_ = PreviewDiagonal();
  DrawPreview(true, true);
}

// After a change of resolution the preview box has another size: the preview is drawn again as a
// pick draws it, from a new decode when the box now shows the photo larger than the held one.
void Form3::Form_Resize() {
  if (Filename.empty())
    return;  // no photo is shown
  const double diagonal = PreviewDiagonal();
  if (diagonal > picture2_diagonal_) {
    try {
      Picture2->SetPicture(program_.platform().pictures.LoadPicture(Filename, diagonal));
      picture2_diagonal_ = diagonal;
    } catch (const Failure&) {
      // Gone or changed since it was shown: the decode held is drawn larger.
    }
  }
  DrawPreview(true, true);
}

// The preview never shows the photo larger than its box.
double Form3::PreviewDiagonal() const {
  const SizeF box = Picture1->ScaleSize();
  return std::hypot(static_cast<double>(box.width), static_cast<double>(box.height));
}

void Form3::DrawPreview(bool clear_first, bool refresh) {
  Gdi& gdi = program_.platform().gdi;
  if (clear_first)
    Picture1->ClearPicture();
  gdi.SetStretchBltMode(Picture1->hDC(), COLORONCOLOR);
  const SizeF photo = Picture2->ScaleSize();
  const PreviewFit fit = FitPreview(Picture1->ScaleSize(), photo);
  gdi.StretchBlt(Picture1->hDC(), fit.x, fit.y, fit.previeww, fit.previewh, Picture2->hDC(), 0, 0,
                 ToInt32(photo.width), ToInt32(photo.height), SRCCOPY);
  if (refresh)
    Picture1->Refresh();
}

}  // namespace solvarine
