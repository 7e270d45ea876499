#include <gtest/gtest.h>

#include <optional>

#include "platform/failure.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "settings/variant.h"
#include "tests/fakes/fake_services.h"

namespace solvarine {
namespace {

struct TextCase {
  const char* text;
  std::optional<std::int32_t> int32;  // nothing: the read fails
  std::optional<std::int16_t> int16;
};

void ExpectConversions(const TextCase& c) {
  const auto read32 = [&] { return ToInt32(ParseNumber(c.text)); };
  const auto read16 = [&] { return ToInt16(ParseNumber(c.text)); };
  if (c.int32) {
    EXPECT_EQ(read32(), *c.int32);
  } else {
    EXPECT_THROW(read32(), Failure);
  }
  if (c.int16) {
    EXPECT_EQ(read16(), *c.int16);
  } else {
    EXPECT_THROW(read16(), Failure);
  }
}

TEST(TextToInteger, RoundsHalvesToEvenAndChecksTheRange) {
  const TextCase cases[] = {TextCase{"2", 2, 2},
                            TextCase{"2.5", 2, 2},
                            TextCase{"3.5", 4, 4},
                            TextCase{"-2.5", -2, -2},
                            TextCase{" 17 ", 17, 17},
                            TextCase{"-1", -1, -1},
                            TextCase{"40000", 40000, std::nullopt},
                            TextCase{"32767.5", 32768, std::nullopt},
                            TextCase{"-32768", -32768, -32768},
                            TextCase{"2147483647", 2147483647, std::nullopt},
                            TextCase{"2147483648", std::nullopt, std::nullopt},
                            TextCase{"", std::nullopt, std::nullopt},
                            TextCase{"abc", std::nullopt, std::nullopt},
                            TextCase{"12abc", std::nullopt, std::nullopt},
                            TextCase{"inf", std::nullopt, std::nullopt},
                            TextCase{"nan", std::nullopt, std::nullopt},
                            TextCase{"-", std::nullopt, std::nullopt}};
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.text);
    ExpectConversions(c);
  }
}

TEST(CheckedArithmetic, FailsOnOverflowOnly) {
  EXPECT_EQ(CheckedMul32(10, 500), 5000);
  EXPECT_THROW(CheckedMul32(4294968, 500), Failure);
  EXPECT_EQ(CheckedAdd16(32766, 1), 32767);
  EXPECT_THROW(CheckedAdd16(32767, 1), Failure);
  EXPECT_THROW(CheckedDivide(1, 0), Failure);
  EXPECT_THROW(CheckedDivide(0, 0), Failure);
}

TEST(SizeSetting, KeepsItsTextUntilReplacedByTheSlidersNumber) {
  EXPECT_EQ(Variant(std::string("400")).ToDouble(), 400);
  EXPECT_EQ(Variant(std::string(" 400 ")).Text(), " 400 ");
  EXPECT_THROW(Variant(std::string("big")).ToDouble(), Failure);
  EXPECT_EQ(Variant(std::int16_t{250}).Text(), "250");
}

struct StoredCase {
  std::optional<std::string> stored;  // nothing: the key is absent
  std::int16_t expected;
};

// A bad value in the store must not stop the screen saver: it reads as the default.
TEST(Settings, NumericKeysReadMalformedValuesAsTheirDefault) {
  const StoredCase cases[] = {{std::nullopt, 7}, {"3", 3}, {"2.5", 2},   {"-1", -1},
                              {"", 7},           {"x", 7}, {"40000", 7}, {" 5 ", 5}};
  for (const StoredCase& c : cases) {
    fakes::FakeSettingsStore store;
    if (c.stored)
      store.values["Fileindex"] = *c.stored;
    EXPECT_EQ(Settings(store).GetInt16(key::kFileindex, 7), c.expected)
        << "stored: " << c.stored.value_or("(absent)");
    EXPECT_TRUE(store.writes.empty()) << "reading must not write";
  }
}

TEST(Settings, PresentButEmptyTextIsNotReplacedByTheDefault) {
  fakes::FakeSettingsStore store;
  store.values["Filename"] = "";
  EXPECT_EQ(Settings(store).GetText(key::kFilename, "sample1.jpg"), "");
  EXPECT_EQ(Settings(store).GetText(key::kFilenameS, "sample1.jpg"), "sample1.jpg");
}

}  // namespace
}  // namespace solvarine
