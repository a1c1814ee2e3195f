#include "settings/store_error.h"

namespace settings {

namespace {

std::string MessageFor(StoreError::Kind kind, const std::string& valueName) {
  const std::string quoted = "'" + valueName + "'";
  switch (kind) {
    case StoreError::Kind::ReadFailed:
      return quoted + " の取得に失敗しました";
    case StoreError::Kind::WrongType:
      return quoted + " のデータ型が不正です";
    case StoreError::Kind::WriteFailed:
      return quoted + " の設定に失敗しました";
  }
  return quoted;
}

}  // namespace

StoreError::StoreError(Kind kind, const std::string& valueName)
    : std::runtime_error(MessageFor(kind, valueName)), kind_(kind), valueName_(valueName) {}

}  // namespace settings
