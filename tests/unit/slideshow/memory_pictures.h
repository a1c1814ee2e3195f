#pragma once
// Pictures in memory by path, read as the supply reads files: each decode
// counted, a path without a picture read as nothing, a header of its size.
#include <map>
#include <optional>
#include <string>

#include "slideshow/picture_supply.h"

namespace slideshow::testing {

struct MemoryPictures {
  std::map<std::string, codecs::Image> pictures;
  std::map<std::string, int> decodes;

  DecodeFunction Decode() {
    return [this](const std::string& path, const codecs::ShownSize&) -> std::optional<codecs::Image> {
      ++decodes[path];
      const auto it = pictures.find(path);
      if (it == pictures.end()) return std::nullopt;
      return it->second;
    };
  }
  HeaderFunction Header() {
    return [this](const std::string& path) {
      const auto it = pictures.find(path);
      if (it == pictures.end()) return codecs::PictureHeader{};
      return codecs::PictureHeader{true, {it->second.width, it->second.height}};
    };
  }
  PictureReaders Readers() { return {Decode(), {}, {}, Header()}; }
};

}  // namespace slideshow::testing
