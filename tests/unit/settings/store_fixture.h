#pragma once
// A settings key in memory and shorthands to fill and inspect it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/memory_registry.h"

namespace settings::testing {

class StoreTest : public ::testing::Test {
 protected:
  void Text(const std::string& name, const std::string& text) { reg.PutString(kSettingsKeyPath, name, text); }
  void Dword(const std::string& name, int32_t v) { reg.PutDword(kSettingsKeyPath, name, v); }
  void Mistype(const std::string& name) { reg.PutRaw(kSettingsKeyPath, name, ValueType::Other, "xyz"); }
  void CreateKey() { reg.CreateKey(kSettingsKeyPath); }
  bool Has(const std::string& name) const { return reg.Get(kSettingsKeyPath, name).has_value(); }
  std::optional<MemoryRegistry::Value> Get(const std::string& name) const { return reg.Get(kSettingsKeyPath, name); }

  // A picture group of one registered photo, C:\Photos\a.jpg.
  void OnePhotoRegistered() {
    Text("dtDir", "C:\\Photos");
    Dword("SelPhoto", 1);
    Dword("eCount", 1);
    Text("File_000", "C:\\Photos\\a.jpg");
  }

  // Every integer of the message group, so that only the texts can be missing.
  void AllMessageIntegers() {
    for (const char* name : {"ComColor", "FontSize", "fgBold", "fgItalic", "fgUnderline", "fgStrikeOut",
                             "SCRsnd", "SCRtime", "MoveFlag"})
      Dword(name, 1);
  }

  void TearDown() override { EXPECT_EQ(reg.openKeys(), 0) << "an operation left its key open"; }

  MemoryRegistry reg;
};

}  // namespace settings::testing
