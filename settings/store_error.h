#pragma once
// The store's one error, raised by the typed reads and writes. what() is the
// user-facing text in UTF-8 (like every exception message of the program), with
// the ASCII value name in it; a message box converts it with CP_UTF8.
#include <stdexcept>
#include <string>

namespace settings {

class StoreError : public std::runtime_error {
 public:
  enum class Kind {
    ReadFailed,  // '%s' の取得に失敗しました: missing integer/boolean, or a refused query
    WrongType,   // '%s' のデータ型が不正です
    WriteFailed  // '%s' の設定に失敗しました
  };
  StoreError(Kind kind, const std::string& valueName);

  Kind kind() const { return kind_; }
  const std::string& valueName() const { return valueName_; }

 private:
  Kind kind_;
  std::string valueName_;
};

}  // namespace settings
