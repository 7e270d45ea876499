#include "dialog/form3.h"
#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

std::string Caption(const std::unique_ptr<Label>& label) {
  return fakes::Of<fakes::FakeLabel>(label).caption;
}

class DialogTest : public ProgramTest {
 protected:
  Form3& Dialog() { return program.form3(); }
  auto& Preview() { return fakes::Of<fakes::FakePictureBox>(Dialog().Picture1); }
};

// What the dialog shows when loading stops at a failing step: the sliders, an option
// only past the options' step, file and folder emptied.
TEST(Dialog, ALoadFailureLeavesTheStateOfItsStepAndEmptiesFileAndFolder) {
  const std::tuple<const char*, const char*, int, int, bool> cases[] = {
      {"Filename", "C:\\photos\\missing.jpg", 4, 200, false},
      {"Speed", "11", 4, 200, false},
      {"chokkei", "900", 3, 200, false},
      {"Directory", "C:\\gone", 3, 400, true}};
  for (const auto& [key, value, time, size, option] : cases) {
    World world({{"Speed", "3"}, {"chokkei", "400"}, {key, value}});
    world.Start("/c");
    const Form3& form = world.program.form3();
    EXPECT_EQ(std::tuple(form.HScroll1->Value(), Caption(form.Label4), form.HScroll2->Value(),
                         world.screen.selected_option != nullptr, form.Filename, form.Directory),
              std::tuple(time, std::to_string(time), size, option, "", ""))
        << key << "=" << value;
  }
}

TEST_F(DialogTest, OkStoresEverySettingInOrderAndEnds) {
  stored.insert({{"Haikei", "2"}, {"Fileindex", "9"}});
  ASSERT_FALSE(Start("/c"));
  Dialog().HScroll2->SetValue(275);
  EXPECT_EQ(Caption(Dialog().Label5), "275");
  EXPECT_TRUE(Ends([&] { screen.ClickButton("OK"); }));
  EXPECT_EQ(store.writes, (Strings{"Speed", "chokkei", "Filename", "FilenameS", "Fileindex",
                                   "Directory", "Haikei"}));
  // Haikei: anything but 1 becomes black.
  EXPECT_EQ(std::tuple(stored["chokkei"], stored["Fileindex"], stored["Haikei"], stored["Speed"]),
            std::tuple("275", "0", "0", "2"));
}

// With the default folder "C:", the lists take drive C's current folder.
TEST_F(DialogTest, FirstRunStoresEmptyFileAndFolderOrTheSampleWithTheCurrentFolder) {
  stored.clear();
  ASSERT_FALSE(Start(""));
  EXPECT_EQ(std::tuple(Caption(Dialog().Label4), Caption(Dialog().Label6)), std::tuple("4", ""));
  EXPECT_TRUE(Ends([&] { screen.ClickButton("OK"); }));
  const std::map<std::string, std::string> expected = {
      {"Speed", "4"},     {"chokkei", "200"}, {"Filename", ""}, {"FilenameS", "sample1.jpg"},
      {"Fileindex", "0"}, {"Directory", ""},  {"Haikei", "0"}};
  EXPECT_EQ(stored, expected);

  World sample;
  sample.UseSample();
  sample.stored["Directory"] = "C:";
  sample.Start("");
  EXPECT_EQ(std::tuple(sample.program.form3().File1.Path(), sample.program.form3().Directory),
            std::tuple("C:\\saver", "C:"));
}

TEST_F(DialogTest, PickingAPhotoShowsItAndRemembersItsFolder) {
  files.AddFolder("C:\\more", {{"tall.gif"}, {"bad.jpg"}});
  pictures.Add("C:\\more\\tall.gif", 300, 400, kBlue);
  ASSERT_FALSE(Start("/c"));
  screen.next_open_file = {"C:\\more\\tall.gif", "tall.gif", "C:\\more"};
  ASSERT_TRUE(screen.ClickButton("Photo File"));
  EXPECT_EQ(pictures.drawn_diagonals, (Doubles{kPreviewDiagonal, kPreviewDiagonal}));
  const OpenFileRequest& request = screen.open_file_requests.back();
  EXPECT_EQ(std::tuple(request.initial_dir, request.filter_index, request.flags),
            std::tuple("C:\\photos", 1, 0x1000u));
  EXPECT_EQ(request.filter, "jpgﾌｧｲﾙ(*.jpg)|*.jpg|bmpﾌｧｲﾙ(*.bmp)|*.bmp|gifﾌｧｲﾙ(*.gif)|*.gif");
  Form3& form = Dialog();
  EXPECT_EQ(std::tuple(form.Filename, form.Directory, Caption(form.Label6)),
            std::tuple("C:\\more\\tall.gif", "C:\\more", "tall.gif"));
  // 300x400 in 193x129: 97 wide at x 48, over the earlier preview cleared.
  const Strings drawn = Drawn();
  EXPECT_EQ(Drawn(3), (Strings{"Clear dialog box", "SetStretchBltMode 3",
                               "StretchBlt dialog box 48 0 97 129 <- dialog holder 0 0 300 400"}));
  EXPECT_EQ(Preview().refreshes, 1);

  // Cancelling, or picking a file that is no readable picture, changes nothing.
  for (const OpenFileResult& pick :
       {OpenFileResult{}, OpenFileResult{"C:\\more\\bad.jpg", "bad.jpg", "C:\\more"}}) {
    screen.next_open_file = pick;
    ASSERT_TRUE(screen.ClickButton("Photo File"));
    EXPECT_EQ(std::tuple(form.Filename, Drawn()), std::tuple("C:\\more\\tall.gif", drawn));
  }
  EXPECT_EQ(screen.open_file_requests.back().initial_dir, "C:\\more");
  EXPECT_TRUE(Ends([&] { screen.ClickButton("OK"); }));
  EXPECT_EQ(std::tuple(stored["Directory"], stored["FilenameS"]),
            std::tuple("C:\\more", "tall.gif"));
}

// After a change of resolution the preview is drawn again as a pick draws it, from a new
// decode only when the box has grown past what the held one was decoded for; without a
// photo, nothing.
TEST_F(DialogTest, AChangeOfResolutionDrawsThePreviewAgainDecodingOnlyForALargerBox) {
  ASSERT_FALSE(Start("/c"));
  const std::pair<SizeF, const char*> cases[] = {
      {{290, 194}, "StretchBlt dialog box 16 0 259 194 <- dialog holder 0 0 640 480"},
      {{193, 129}, "StretchBlt dialog box 10 0 172 129 <- dialog holder 0 0 640 480"}};
  for (const auto& [size, stretch] : cases) {
    Preview().size = size;
    Window(Form3::kCaption)->on_resize();
    EXPECT_EQ(Drawn(3), (Strings{"Clear dialog box", "SetStretchBltMode 3", stretch}));
  }
  EXPECT_EQ(pictures.drawn_diagonals, (Doubles{kPreviewDiagonal, std::hypot(290.0, 194.0)}));
  EXPECT_EQ(Preview().refreshes, 2);

  World unreadable({{"Filename", "C:\\photos\\gone.jpg"}});
  unreadable.Start("/c");
  unreadable.Window(Form3::kCaption)->on_resize();
  EXPECT_EQ(unreadable.Drawn(), Strings{});
}

}  // namespace
}  // namespace solvarine
