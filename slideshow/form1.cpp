#include "slideshow/form1.h"

#include <cmath>

#include "app/program.h"
#include "dialog/form3.h"
#include "platform/failure.h"
#include "platform/gdi_guards.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "slideshow/form2.h"
#include "slideshow/form4.h"

namespace solvarine {
namespace {

constexpr std::int32_t kMillisecondsPerSpeedStep = 500;
constexpr std::int32_t kInitialIntervalMs = 500;
constexpr std::string_view kSampleFile = "sample1.jpg";
constexpr std::string_view kUnreadPosition = "200";

// A photo whose diagonal is longer than the screen's never shows whole, and its square canvas
// would cost memory with the square of the stored size.
double ScreenDiagonal(WindowSystem& windows) {
  const SizeF twips = windows.ScreenTwips();
  return std::hypot(double{twips.width} / kTwipsPerPixel, double{twips.height} / kTwipsPerPixel);
}

}  // namespace

Form1::Form1(Program& program)
    : window(program.platform().windows.CreateScreenWindow("Form1", {})),
      Timer2(program.platform().events.CreateTimer(*window, kInitialIntervalMs,
                                                   [this] { Timer2_Timer(); })),
      program_(program),
      ahead_(program.platform(), [this] { PhotoDecoded(); }) {}

void Form1::load_reg() {
  const Settings settings(program_.platform().settings);
  Speed = settings.GetInt32(key::kSpeed, defaults::kSpeed);
  chokkei = Variant(settings.GetText(key::kChokkei, defaults::kChokkei));
  Filename = settings.GetText(key::kFilename, defaults::kFilename);
  Haikei = settings.GetInt16(key::kHaikei, defaults::kHaikei);
  Fileindex = settings.GetInt16(key::kFileindex, defaults::kFileindex);
}

void Form1::save_reg() {
  Settings settings(program_.platform().settings);
  settings.Save(key::kFilename, Filename);
  settings.Save(key::kDirectory, program_.form3().Dir1.Path());
}

void Form1::Form_Load() {
  Settings settings(program_.platform().settings);
  settings.Save(key::kKoteix, kUnreadPosition);
  settings.Save(key::kKoteiy, kUnreadPosition);
  load_reg();
  try {
    if (Filename.empty()) {
      Filename = kSampleFile;
      UseCurrentDir();
    }
    if (Haikei == 1)
      TakeDesktopSnapshot();
    const float side = ToSingle(chokkei.ToDouble());
    if (side < 0)
      throw Failure("the photo size is negative");
    if (side > ScreenDiagonal(program_.platform().windows))
      throw Failure("the photo size exceeds the screen's diagonal");
    const std::int32_t pixels = ToInt32(side);
    program_.form4().Picture1->SetSize(pixels, pixels);
    StartAtStoredPosition();
    Timer2->SetInterval(CheckedMul32(Speed, kMillisecondsPerSpeedStep));
    RectRegion(program_.platform().gdi, 0, 0, 0, 0)
        .SetAsWindowRegion(program_.form4().window->hWnd());
    ahead_.Prepare(PhotoPath(), chokkei.ToDouble());
  } catch (const ProgramEnd&) {
    throw;
  } catch (...) {
    FailAndEnd();
  }
}

void Form1::UseCurrentDir() {
  Form3& form3 = program_.form3();
  form3.Picture2->SetPicture(
      program_.platform().pictures.LoadPicture(Filename, form3.PreviewDiagonal()));
  form3.Dir1.SetPath(program_.platform().files.CurDir());
  form3.File1.SetPath(form3.Dir1.Path());
  save_reg();
}

// Taken while none of our windows is visible, so it shows the desktop as the user left it.
void Form1::TakeDesktopSnapshot() {
  Platform& platform = program_.platform();
  const WindowDc desktop(platform.gdi, platform.gdi.GetDesktopWindow());
  const Hdc backdrop = program_.form2().window->hDC();
  const SizeF screen = platform.windows.ScreenTwips();
  platform.gdi.BitBlt(backdrop, 0, 0, ToInt32(screen.width), ToInt32(screen.height), desktop.get(),
                      0, 0, SRCCOPY);
}

void Form1::StartAtStoredPosition() {
  FileListBox& File1 = program_.form3().File1;
  if (Fileindex > File1.ListCount() - 1)
    Fileindex = 0;
  if (Fileindex < 0)
    Fileindex = 0;
  File1.SetListIndex(Fileindex);
  Filepos = Fileindex;
}

void Form1::FailAndEnd() {
  Platform& platform = program_.platform();
  platform.gdi.ShowCursor(true);
  Timer2->SetEnabled(false);  // the message box's own loop would deliver ticks
  platform.dialogs.MsgBox(std::string(kFailureMessage));
  program_.End();
}

}  // namespace solvarine
