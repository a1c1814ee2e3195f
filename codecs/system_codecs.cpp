#include "codecs/system_codecs.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "codecs/decode_picture.h"
#include "codecs/picture_extension.h"

namespace codecs {
namespace {

SystemCodecs& Installed() {
  static SystemCodecs codecs;
  return codecs;
}

// One claimed name, as PictureExtension would give it for a file named with
// it; nothing when no file name could give it.
std::optional<std::string> ExtensionOf(std::string_view claim) {
  while (!claim.empty() && claim.front() == ' ') claim.remove_prefix(1);
  while (!claim.empty() && claim.back() == ' ') claim.remove_suffix(1);
  if (claim.starts_with('.')) claim.remove_prefix(1);
  if (claim.empty() || claim.size() > 7 || claim.find_first_of("*?.\\/:") != std::string_view::npos) {
    return std::nullopt;
  }
  return PictureExtension(std::string(".") + std::string(claim));
}

}  // namespace

bool SystemCodecs::Reads(std::string_view extension) const {
  return decode && std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

std::vector<std::string> ChooseSystemExtensions(const std::vector<std::string>& claimed) {
  std::vector<std::string> chosen;
  for (const std::string& list : claimed) {
    std::string_view rest = list;
    while (!rest.empty()) {
      const size_t separator = rest.find_first_of(",;");
      const std::optional<std::string> extension = ExtensionOf(rest.substr(0, separator));
      rest = separator == std::string_view::npos ? std::string_view() : rest.substr(separator + 1);
      if (extension && !HasOwnPictureDecoder(*extension)) chosen.push_back(*extension);
    }
  }
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

void InstallSystemCodecs(SystemCodecs codecs) { Installed() = std::move(codecs); }

const SystemCodecs& InstalledSystemCodecs() { return Installed(); }

}  // namespace codecs
