#include "dialog/form3.h"
#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

class DialogTest : public ProgramTest {
 protected:
  Form3& Dialog() { return program.form3(); }
  std::string Caption(const std::unique_ptr<Label>& label) {
    return fakes::Of<fakes::FakeLabel>(label).caption;
  }
  bool Selected(const std::unique_ptr<OptionButton>& option) {
    return fake.screen.selected_option == option.get();
  }
};

// What the dialog shows when loading stops at a failing step: the sliders, an option only past
// the options' step, the lists never pointed, file and folder emptied.
TEST_F(DialogTest, ALoadFailureLeavesTheStateOfItsStepAndEmptiesFileAndFolder) {
  const std::tuple<const char*, const char*, int, int, bool> cases[] = {
      {"Filename", "C:\\photos\\missing.jpg", 4, 200, false},
      {"Speed", "11", 4, 200, false},
      {"chokkei", "900", 3, 200, false},
      {"chokkei", "abc", 3, 200, false},
      {"Directory", "C:\\gone", 3, 400, true}};
  for (const auto& [key, value, time, size, option_selected] : cases) {
    World world({{"Speed", "3"}, {"chokkei", "400"}, {key, value}});
    world.Start("/c");
    const Form3& form = world.program.form3();
    EXPECT_EQ(std::tuple(form.HScroll1->Value(), Caption(form.Label4), form.HScroll2->Value(),
                         world.fake.screen.selected_option != nullptr, form.File1.Path(),
                         world.fake.files.current, form.Filename, form.Directory),
              std::tuple(time, std::to_string(time), size, option_selected, "C:\\", "C:\\", "", ""))
        << key << "=" << value;
  }
}

TEST_F(DialogTest, OkStoresEverySettingInOrderAndEnds) {
  fake.store.values.insert({{"Haikei", "2"}, {"Fileindex", "9"}, {"chokkei", "400"}});
  ASSERT_FALSE(Start("/c"));
  Dialog().HScroll2->SetValue(275);
  EXPECT_EQ(Caption(Dialog().Label5), "275");
  fake.store.writes.clear();
  EXPECT_TRUE(Ends([&] { fake.screen.ClickButton("OK"); }));
  EXPECT_EQ(fake.store.writes,
            (std::vector<std::string>{"Speed", "chokkei", "Filename", "FilenameS", "Fileindex",
                                      "Directory", "Haikei"}));
  // Haikei: anything but 1 becomes black.
  EXPECT_EQ(std::tuple(fake.store.values["chokkei"], fake.store.values["Fileindex"],
                       fake.store.values["Haikei"], fake.store.values["Speed"]),
            std::tuple("275", "0", "0", "2"));
}

// With the default folder "C:", the lists take drive C's current folder.
TEST_F(DialogTest, FirstRunStoresEmptyFileAndFolderOrTheSampleWithTheCurrentFolder) {
  fake.store.values.clear();
  ASSERT_FALSE(Start(""));
  EXPECT_EQ(std::tuple(Caption(Dialog().Label4), Caption(Dialog().Label6)), std::tuple("4", ""));
  EXPECT_TRUE(Ends([&] { fake.screen.ClickButton("OK"); }));
  const std::map<std::string, std::string> expected = {
      {"Speed", "4"},     {"chokkei", "200"}, {"Filename", ""}, {"FilenameS", "sample1.jpg"},
      {"Fileindex", "0"}, {"Directory", ""},  {"Haikei", "0"}};
  EXPECT_EQ(fake.store.values, expected);

  World sample;
  sample.UseSample();
  sample.fake.store.values["Directory"] = "C:";
  sample.Start("");
  EXPECT_EQ(std::tuple(sample.program.form3().File1.Path(), sample.program.form3().Directory),
            std::tuple("C:\\saver", "C:"));
}

TEST_F(DialogTest, PickingAPhotoShowsItAndRemembersItsFolder) {
  fake.files.AddFolder("C:\\more", {{"tall.gif"}, {"bad.jpg"}});
  fake.pictures.Add("C:\\more\\tall.gif", 300, 400, kBlue);
  ASSERT_FALSE(Start("/c"));
  fake.screen.next_open_file = {"C:\\more\\tall.gif", "tall.gif", "C:\\more"};
  ASSERT_TRUE(fake.screen.ClickButton("Photo File"));
  EXPECT_EQ(fake.pictures.drawn_diagonals,
            (std::vector<double>{kPreviewDiagonal, kPreviewDiagonal}));
  const OpenFileRequest& request = fake.screen.open_file_requests.back();
  EXPECT_EQ(
      std::tuple(request.initial_dir, request.filter, request.filter_index, request.flags),
      std::tuple("C:\\photos", "jpgﾌｧｲﾙ(*.jpg)|*.jpg|bmpﾌｧｲﾙ(*.bmp)|*.bmp|gifﾌｧｲﾙ(*.gif)|*.gif", 1,
                 0x1000u));
  Form3& form = Dialog();
  EXPECT_EQ(std::tuple(form.Filename, form.Directory, Caption(form.Label6)),
            std::tuple("C:\\more\\tall.gif", "C:\\more", "tall.gif"));
  // 300x400 in 193x129: 97 wide at x 48, over the earlier preview cleared.
  const std::vector<std::string> drawn = Drawn();
  EXPECT_EQ(
      std::vector(drawn.end() - 2, drawn.end()),
      (std::vector<std::string>{"Clear dialog box",
                                "StretchBlt dialog box 48 0 97 129 <- dialog holder 0 0 300 400"}));
  EXPECT_EQ(fakes::Of<fakes::FakePictureBox>(form.Picture1).refreshes, 1);

  // Cancelling, or picking a file that is no readable picture, changes nothing.
  for (const OpenFileResult& pick :
       {OpenFileResult{}, OpenFileResult{"C:\\more\\bad.jpg", "bad.jpg", "C:\\more"}}) {
    fake.screen.next_open_file = pick;
    ASSERT_TRUE(fake.screen.ClickButton("Photo File"));
    EXPECT_EQ(form.Filename, "C:\\more\\tall.gif");
    EXPECT_EQ(Caption(form.Label6), "tall.gif");
    EXPECT_EQ(Drawn(), drawn);
  }
  EXPECT_EQ(fake.screen.open_file_requests.back().initial_dir, "C:\\more");
  EXPECT_TRUE(Ends([&] { fake.screen.ClickButton("OK"); }));
  EXPECT_EQ(fake.store.values["Directory"], "C:\\more");
  EXPECT_EQ(fake.store.values["FilenameS"], "tall.gif");
}

// After a change of resolution the preview is drawn again as a pick draws it, from a new decode
// only when the box has grown past what the held one was decoded for; without a photo, nothing.
TEST_F(DialogTest, AChangeOfResolutionDrawsThePreviewAgainDecodingOnlyForALargerBox) {
  ASSERT_FALSE(Start("/c"));
  const std::tuple<float, float, const char*> cases[] = {
      {290, 194, "StretchBlt dialog box 16 0 259 194 <- dialog holder 0 0 640 480"},
      {193, 129, "StretchBlt dialog box 10 0 172 129 <- dialog holder 0 0 640 480"}};
  for (const auto& [width, height, stretch] : cases) {
    fakes::Of<fakes::FakePictureBox>(Dialog().Picture1).size = {width, height};
    Window(std::string(Form3::kCaption))->on_resize();
    EXPECT_EQ(std::vector(fake.screen.log.end() - 3, fake.screen.log.end()),
              (std::vector<std::string>{"Clear dialog box", "SetStretchBltMode 3", stretch}));
  }
  EXPECT_EQ(fake.pictures.drawn_diagonals,
            (std::vector<double>{kPreviewDiagonal, std::hypot(290.0, 194.0)}));
  EXPECT_EQ(fakes::Of<fakes::FakePictureBox>(Dialog().Picture1).refreshes, 2);

  World unreadable({{"Filename", "C:\\photos\\gone.jpg"}});
  unreadable.Start("/c");
  unreadable.Window(std::string(Form3::kCaption))->on_resize();
  EXPECT_EQ(unreadable.Drawn(), std::vector<std::string>{});
}

}  // namespace
}  // namespace solvarine
