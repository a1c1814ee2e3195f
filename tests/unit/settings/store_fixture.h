#pragma once
// A settings key in memory and shorthands to fill and inspect it.
#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "settings/memory_registry.h"

namespace settings::testing {

// CP932 bytes of a UTF-8 text, converted by the C library, independently of
// the program's own constants.
inline std::string Cp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == iconv_t(-1)) throw std::runtime_error("no CP932 converter");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* o = out.data();
  size_t inLeft = utf8.size(), outLeft = out.size();
  const size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  if (rc == size_t(-1)) throw std::runtime_error("not convertible to CP932");
  out.resize(out.size() - outLeft);
  return out;
}

class StoreTest : public ::testing::Test {
 protected:
  void Text(const std::string& name, const std::string& cp932) { reg.PutString(kSettingsKeyPath, name, cp932); }
  void Dword(const std::string& name, int32_t v) { reg.PutDword(kSettingsKeyPath, name, v); }
  void Mistype(const std::string& name) { reg.PutRaw(kSettingsKeyPath, name, ValueType::Other, "xyz"); }
  void CreateKey() { reg.CreateKey(kSettingsKeyPath); }
  bool Has(const std::string& name) const { return reg.Get(kSettingsKeyPath, name).has_value(); }
  std::optional<MemoryRegistry::Value> Get(const std::string& name) const { return reg.Get(kSettingsKeyPath, name); }

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
