// File names compared as Windows compares them: one file whatever the case
// of its letters, in the scripts names are written in; nothing else is
// equated.
#include "platform/file_name_case.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct NameCase {
  const char* a;
  const char* b;
  bool same;
};

class FileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNames, AreOneFileOnlyWhenTheyDifferInCaseAlone) {
  EXPECT_EQ(SameFileName(GetParam().a, GetParam().b), GetParam().same)
      << GetParam().a << " / " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileNames,
    ::testing::Values(NameCase{"C:\\Photos\\a.jpg", "c:\\PHOTOS\\A.JPG", true},
                      NameCase{"C:\\Photos\\a.jpg", "C:\\Photos\\a.jpeg", false},
                      NameCase{"C:\\Photos\\a.jpg", "C:\\Photos\\a.jpg ", false},
                      NameCase{"C:\\写真\\ｐｈｏｔｏ.jpg", "C:\\写真\\ＰＨＯＴＯ.JPG", true},
                      NameCase{"C:\\Été\\ÿ.jpg", "C:\\ÉTÉ\\Ÿ.jpg", true},
                      NameCase{"C:\\Łódź\\ŕ.jpg", "C:\\ŁÓDŹ\\Ŕ.jpg", true},
                      NameCase{"C:\\Αθήνα\\ώσ.jpg", "C:\\ΑΘΉΝΑ\\ΏΣ.jpg", true},
                      NameCase{"C:\\Москва\\ёж.jpg", "C:\\МОСКВА\\ЁЖ.jpg", true},
                      NameCase{"C:\\Straße.jpg", "C:\\STRASSE.jpg", false},
                      NameCase{"C:\\ı.jpg", "C:\\I.jpg", false},
                      NameCase{"C:\\i.jpg", "C:\\İ.jpg", false},
                      NameCase{"C:\\\xff\xfe.jpg", "C:\\\xff\xfe.JPG", true},
                      NameCase{"C:\\\xff.jpg", "C:\\\xfe.jpg", false}));

TEST(FileNameFold, KeepsTheTextsLengthInAsciiAndFoldsFinalSigma) {
  EXPECT_EQ(FoldFileName("C:\\Photos\\a.jpg"), "C:\\PHOTOS\\A.JPG");
  EXPECT_EQ(FoldFileName("ς"), FoldFileName("σ"));
  EXPECT_EQ(FoldFileName("ς"), "Σ");
}

}  // namespace
}  // namespace platform
