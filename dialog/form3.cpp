#include "dialog/form3.h"

#include "app/program.h"
#include "dialog/preview_fit.h"
#include "platform/failure.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"

namespace solvarine {
namespace {

constexpr int kClientWidthTwips = 3150;
constexpr int kClientHeightTwips = 4920;
constexpr TwipsRect kFrame1{240, 3480, 2775, 615};

TwipsRect InFrame(TwipsRect rect) {
  return {kFrame1.left + rect.left, kFrame1.top + rect.top, rect.width, rect.height};
}

}  // namespace

Form3::Form3(Program& program)
    : window(program.platform().windows.CreateDialogWindow(
          std::string(kCaption), kClientWidthTwips, kClientHeightTwips,
          [&program] { program.End(); }, [this] { Form_Resize(); })),
      File1(program.platform().files),
      Dir1(program.platform().files),
      CommonDialog1(program.platform().dialogs, *window),
      program_(program) {
  CreateControls();
}

void Form3::CreateControls() {
  WindowSystem& windows = program_.platform().windows;
  Window& parent = *window;
  Picture1 = windows.CreatePictureBox(parent, {.rect = {120, 120, 2895, 1935}, .tab_index = 4}, {});
  Picture2 = windows.CreatePictureBox(parent,
                                      {.rect = {120 + 600, 120 + 360, 1575, 1335},
                                       .visible = false,
                                       .auto_size = true,
                                       .tab_index = 11},
                                      {});
  windows.CreateButton(parent, {{240, 2160, 1215, 420}, "Photo File", 15},
                       [this] { Command3_Click(); });
  Label6 = windows.CreateLabel(parent, {{1680, 2160, 1215, 405}, "", LabelBackground::kWhite, 10});
  Label3 =
      windows.CreateLabel(parent, {{120, 2760, 615, 255}, "時間", LabelBackground::kDialog, 7});
  HScroll1 = windows.CreateSlider(parent, {{600, 2760, 2055, 255}, 1, 10, 4, 1, 1, 0},
                                  [this] { HScroll1_Change(); });
  Label4 =
      windows.CreateLabel(parent, {{2760, 2760, 375, 255}, "4", LabelBackground::kActiveBorder, 8});
  Label2 =
      windows.CreateLabel(parent, {{120, 3120, 735, 255}, "大きさ", LabelBackground::kDialog, 6});
  HScroll2 = windows.CreateSlider(parent, {{600, 3120, 2055, 255}, 50, 800, 200, 1, 75, 1},
                                  [this] { HScroll2_Change(); });
  Label5 =
      windows.CreateLabel(parent, {{2760, 3120, 375, 375}, "200", LabelBackground::kDialog, 9});
  windows.CreateFrame(parent, {kFrame1, "背景"});
  Option1 = windows.CreateOptionButton(parent, {InFrame({240, 240, 855, 255}), "壁紙", 14},
                                       [this] { Option1_Click(); });
  Option2 = windows.CreateOptionButton(parent, {InFrame({1560, 225, 855, 255}), "黒", 13},
                                       [this] { Option2_Click(); });
  windows.CreateButton(parent, {{240, 4200, 1215, 375}, "OK", 5}, [this] { Command2_Click(); });
  Label1 = windows.CreateLabel(
      parent,
      {{120, 4680, 3255, 255}, "Solvarine.scr Ver4.0 2003.4", LabelBackground::kDialog, 16});
}

void Form3::load_reg() {
  const Settings settings(program_.platform().settings);
  Speed = settings.GetInt32(key::kSpeed, defaults::kSpeed);
  chokkei = Variant(settings.GetText(key::kChokkei, defaults::kChokkei));
  Filename = settings.GetText(key::kFilename, defaults::kFilename);
  FilenameS = settings.GetText(key::kFilenameS, defaults::kFilenameS);
  Directory = settings.GetText(key::kDirectory, defaults::kDirectory);
  Haikei = settings.GetInt16(key::kHaikei, defaults::kHaikei);
}

void Form3::save_reg() {
  Settings settings(program_.platform().settings);
  settings.Save(key::kSpeed, DecimalText(Speed));
  settings.Save(key::kChokkei, chokkei.Text());
  settings.Save(key::kFilename, Filename);
  settings.Save(key::kFilenameS, FilenameS);
  settings.Save(key::kFileindex, "0");
  settings.Save(key::kDirectory, Directory);
  settings.Save(key::kHaikei, DecimalText(Haikei));
}

void Form3::Form_Load() {
  load_reg();
  try {
    if (Filename.empty())
      Filename = defaults::kFilename;
    Picture2->SetPicture(program_.platform().pictures.LoadPicture(Filename, PreviewDiagonal()));
    picture2_diagonal_ = PreviewDiagonal();
    HScroll1->SetValue(ToInt16(Speed));
    HScroll2->SetValue(ToInt16(chokkei.ToDouble()));
    Label4->SetCaption(DecimalText(Speed));
    Label5->SetCaption(chokkei.Text());
    if (Haikei == 1) {
      Option1->Select();
    } else {
      Option2->Select();
    }
    DrawPreview(false, false);
    Label6->SetCaption(FilenameS);
    Dir1.SetPath(Directory);
    File1.SetPath(Dir1.Path());
    program_.platform().files.ChDir(Dir1.Path());
  } catch (const Failure&) {
    // The dialog still opens; empty values tell the slideshow that no photo is chosen.
    Filename.clear();
    Directory.clear();
  }
}

void Form3::HScroll1_Change() {
  Label4->SetCaption(DecimalText(HScroll1->Value()));
}
void Form3::HScroll2_Change() {
  Label5->SetCaption(DecimalText(HScroll2->Value()));
}
void Form3::Option1_Click() {
  Haikei = 1;
}
void Form3::Option2_Click() {
  Haikei = 0;
}

void Form3::Command2_Click() {
  Speed = HScroll1->Value();
  chokkei = Variant(static_cast<std::int16_t>(HScroll2->Value()));
  save_reg();
  program_.End();
}

}  // namespace solvarine
