#include "platform/dialog_template.h"

#include <cstring>
#include <stdexcept>

namespace platform {
namespace {

constexpr uint32_t kSetFontStyle = 0x40;  // DS_SETFONT

// A bounds-checked little-endian reader.
class TemplateReader {
 public:
  TemplateReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Read() {
    Need(sizeof(T));
    T value;
    std::memcpy(&value, data_ + offset_, sizeof(T));
    offset_ += sizeof(T);
    return value;
  }
  // sz_Or_Ord: nothing (0x0000), an ordinal (0xFFFF, id) or a string.
  void SkipNameOrOrdinal() {
    const uint16_t first = Peek();
    if (first == 0x0000) {
      Skip(2);
    } else if (first == 0xFFFF) {
      Skip(4);
    } else {
      ReadString();
    }
  }
  std::wstring ReadString() {
    std::wstring text;
    for (uint16_t c = Read<uint16_t>(); c != 0; c = Read<uint16_t>()) text.push_back(wchar_t(c));
    return text;
  }
  void Skip(size_t bytes) {
    Need(bytes);
    offset_ += bytes;
  }
  void AlignToDword() { offset_ = (offset_ + 3) & ~size_t(3); }

 private:
  uint16_t Peek() {
    Need(2);
    uint16_t value;
    std::memcpy(&value, data_ + offset_, 2);
    return value;
  }
  void Need(size_t bytes) const {
    if (offset_ > size_ || bytes > size_ - offset_) {
      throw std::runtime_error("dialog template is truncated");
    }
  }

  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
};

}  // namespace

DialogTemplate ParseDialogTemplate(const uint8_t* data, size_t size) {
  TemplateReader in(data, size);
  if (in.Read<uint16_t>() != 1 || in.Read<uint16_t>() != 0xFFFF) {
    throw std::runtime_error("dialog template is not DIALOGEX");
  }
  in.Skip(8);  // helpID, exStyle
  const uint32_t style = in.Read<uint32_t>();
  const uint16_t count = in.Read<uint16_t>();
  DialogTemplate form;
  in.Skip(4);  // x, y
  form.width = in.Read<int16_t>();
  form.height = in.Read<int16_t>();
  in.SkipNameOrOrdinal();  // menu
  in.SkipNameOrOrdinal();  // class
  in.ReadString();         // caption
  if (style & kSetFontStyle) {
    form.hasFont = true;
    form.fontPoints = in.Read<uint16_t>();
    form.fontWeight = in.Read<uint16_t>();
    in.Skip(1);  // italic
    form.fontCharSet = in.Read<uint8_t>();
    form.fontFace = in.ReadString();
  }
  for (uint16_t i = 0; i < count; ++i) {
    in.AlignToDword();
    in.Skip(12);  // helpID, exStyle, style
    DialogItemBounds item;
    item.x = in.Read<int16_t>();
    item.y = in.Read<int16_t>();
    item.width = in.Read<int16_t>();
    item.height = in.Read<int16_t>();
    item.id = int(in.Read<uint32_t>());
    in.SkipNameOrOrdinal();  // class
    in.SkipNameOrOrdinal();  // text
    in.Skip(in.Read<uint16_t>());  // creation data
    form.items.push_back(item);
  }
  return form;
}

}  // namespace platform
