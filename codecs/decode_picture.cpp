#include "codecs/decode_picture.h"

#include <array>

#include "codecs/avif_decoder.h"
#include "codecs/dib_decoder.h"
#include "codecs/heif_decoder.h"
#include "codecs/ico_decoder.h"
#include "codecs/nview_lib.h"
#include "codecs/picture_extension.h"
#include "codecs/png_decoder.h"
#include "codecs/system_codecs.h"
#include "codecs/webp_decoder.h"

namespace codecs {
namespace {

enum class Decoder { None, Bitmap, Jpeg, Library, Icon, Png, Webp, Avif, Heif, System };

Decoder OwnDecoderFor(std::string_view ext) {
  constexpr std::array<std::string_view, 6> kLibrary = {"jif", "gif", "dib", "rle", "tga", "pcx"};
  constexpr std::array<std::string_view, 3> kHeif = {"heic", "heif", "hif"};
  if (ext == "bmp") return Decoder::Bitmap;
  if (ext == "jpg" || ext == "jpeg") return Decoder::Jpeg;
  if (ext == "ico") return Decoder::Icon;
  if (ext == "png") return Decoder::Png;
  if (ext == "webp") return Decoder::Webp;
  if (ext == "avif") return Decoder::Avif;
  for (std::string_view e : kHeif) {
    if (ext == e) return Decoder::Heif;
  }
  for (std::string_view e : kLibrary) {
    if (ext == e) return Decoder::Library;
  }
  return Decoder::None;
}

Decoder DecoderFor(std::string_view ext) {
  const Decoder own = OwnDecoderFor(ext);
  if (own != Decoder::None) return own;
  return InstalledSystemCodecs().Reads(ext) ? Decoder::System : Decoder::None;
}

}  // namespace

bool HasOwnPictureDecoder(std::string_view extension) { return OwnDecoderFor(extension) != Decoder::None; }

bool HasPictureDecoder(std::string_view extension) { return DecoderFor(extension) != Decoder::None; }

std::optional<Image> DecodePicture(std::string_view extension, Bytes bytes, JpegQuality quality,
                                   const ShownSize& shown) {
  switch (DecoderFor(extension)) {
    case Decoder::Bitmap: return DecodeBmpFile(bytes);
    case Decoder::Jpeg: return DecodeJpeg(bytes, quality, shown);
    case Decoder::Library: return NViewLibLoad(bytes);
    case Decoder::Icon: return DecodeIco(bytes);
    case Decoder::Png: return DecodePng(bytes);
    case Decoder::Webp: return DecodeWebp(bytes, shown);
    case Decoder::Avif: {
      // Our reader interpolates chroma where libheif 1.15 repeats its
      // samples; libheif reads what ours does not (grids).
      std::optional<Image> image = DecodeAvif(bytes);
      return image ? image : DecodeHeif(bytes, shown);
    }
    case Decoder::Heif: return DecodeHeif(bytes, shown);
    case Decoder::System: return InstalledSystemCodecs().decode(bytes);
    case Decoder::None: break;
  }
  return std::nullopt;
}

std::optional<Image> DecodePictureFile(const std::string& path, const FileReader& readFile,
                                       JpegQuality quality, const ShownSize& shown) {
  const std::string extension = PictureExtension(path);
  if (!HasPictureDecoder(extension)) return std::nullopt;
  const std::optional<std::vector<uint8_t>> bytes = readFile(path);
  if (!bytes) return std::nullopt;
  return DecodePicture(extension, *bytes, quality, shown);
}

}  // namespace codecs
