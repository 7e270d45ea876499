#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialog/common_dialog.h"
#include "platform/window_system.h"
#include "settings/dir_list_box.h"
#include "settings/file_list_box.h"
#include "settings/variant.h"

namespace solvarine {

class Program;

// The settings dialog. In slideshow mode it lives on hidden: its lists are the photo list.
class Form3 {
 public:
  static constexpr std::string_view kCaption = "Solvarine Ver4.0 ";
  static constexpr std::string_view kPhotoFilter =
      "jpgﾌｧｲﾙ(*.jpg)|*.jpg|bmpﾌｧｲﾙ(*.bmp)|*.bmp|gifﾌｧｲﾙ(*.gif)|*.gif";

  explicit Form3(Program& program);

  void Form_Load();
  void HScroll1_Change();
  void HScroll2_Change();
  void Option1_Click();
  void Option2_Click();
  [[noreturn]] void Command2_Click();
  void Command3_Click();
  void Form_Resize();
  // The largest diagonal, in pixels, the preview draws a photo at.
  double PreviewDiagonal() const;

  std::unique_ptr<Window> window;
  std::unique_ptr<PictureBox> Picture1;  // the preview
  std::unique_ptr<PictureBox> Picture2;  // the chosen photo at full size, hidden
  std::unique_ptr<Label> Label6;
  std::unique_ptr<Label> Label3;
  std::unique_ptr<Slider> HScroll1;
  std::unique_ptr<Label> Label4;
  std::unique_ptr<Label> Label2;
  std::unique_ptr<Slider> HScroll2;
  std::unique_ptr<Label> Label5;
  std::unique_ptr<OptionButton> Option1;
  std::unique_ptr<OptionButton> Option2;
  std::unique_ptr<Label> Label1;
  FileListBox File1;
  DirListBox Dir1;
  CommonDialog CommonDialog1;

  std::int32_t Speed = 0;
  Variant chokkei;
  std::string Filename;
  std::string FilenameS;
  std::string Directory;
  std::int16_t Haikei = 0;

 private:
  void CreateControls();
  void load_reg();
  void save_reg();
  // clear_first and refresh are for a new pick; the first preview is drawn before the box shows.
  void DrawPreview(bool clear_first, bool refresh);

  Program& program_;
  double picture2_diagonal_ = 0;  // the diagonal Picture2's photo was decoded for
};

}  // namespace solvarine
