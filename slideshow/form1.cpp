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
#include "slideshow/monitor_layout.h"

namespace solvarine {
namespace {

constexpr std::int32_t kMillisecondsPerSpeedStep = 500;
constexpr std::int32_t kInitialIntervalMs = 500;
constexpr std::string_view kSampleFile = "sample1.jpg";
constexpr std::string_view kUnreadPosition = "200";

// A photo whose diagonal is longer than the primary monitor's never shows whole there, and its
// square canvas would cost memory with the square of the stored size.
double Diagonal(const Rect& monitor) {
  return std::hypot(static_cast<double>(monitor.width()), static_cast<double>(monitor.height()));
}

}  // namespace

Form1::Form1(Program& program)
    : window(program.platform().windows.CreateScreenWindow(
          "Form1", {{}, {}, [this] { MonitorsChanged(); }})),
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
    const std::vector<Rect> monitors = Monitors();
    covered_ = VirtualScreen(monitors);
    if (Filename.empty()) {
      Filename = kSampleFile;
      UseCurrentDir();
    }
    if (Haikei == 1)
      TakeDesktopSnapshot();
    const float side = ToSingle(chokkei.ToDouble());
    if (side < 0)
      throw Failure("the photo size is negative");
    if (side > Diagonal(monitors.front()))
      throw Failure("the photo size exceeds the primary monitor's diagonal");
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

// Taken while none of our windows is visible, so it shows the desktop as the user left it. The
// size goes in twips, as the screen reports it: the copy is cut to the backdrop's image.
void Form1::TakeDesktopSnapshot() {
  Gdi& gdi = program_.platform().gdi;
  const WindowDc desktop(gdi, gdi.GetDesktopWindow());
  const Hdc backdrop = program_.form2().window->hDC();
  const Rect& screen = *covered_;
  gdi.BitBlt(backdrop, 0, 0, CheckedMul32(screen.width(), kTwipsPerPixel),
             CheckedMul32(screen.height(), kTwipsPerPixel), desktop.get(), screen.left, screen.top,
             SRCCOPY);
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
