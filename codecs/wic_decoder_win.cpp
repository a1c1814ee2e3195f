#include "codecs/wic_decoder_win.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <string>
#include <utility>
#include <vector>

#include "codecs/decode_limits.h"
#include "codecs/over_black.h"
#include "codecs/photo_metadata.h"
#include "codecs/system_codecs.h"
#include "platform/long_path_win.h"
#include "platform/utf16.h"

namespace codecs {
namespace {

using Microsoft::WRL::ComPtr;

// COM on this thread for the lifetime of the object. A thread already in
// another apartment keeps it; WIC works in either.
class ComOnThisThread {
 public:
  explicit ComOnThisThread(DWORD model) : result_(::CoInitializeEx(nullptr, model)) {}
  ComOnThisThread(const ComOnThisThread&) = delete;
  ComOnThisThread& operator=(const ComOnThisThread&) = delete;
  ~ComOnThisThread() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }

 private:
  HRESULT result_;
};

ComPtr<IWICImagingFactory> Factory() {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory)))) {
    return nullptr;
  }
  return factory;
}

// The file extensions each installed decoder claims, as the system lists them.
std::vector<std::string> ClaimedExtensions(IWICImagingFactory* factory) {
  std::vector<std::string> claimed;
  ComPtr<IEnumUnknown> decoders;
  if (FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, &decoders))) {
    return claimed;
  }
  ComPtr<IUnknown> item;
  while (decoders->Next(1, &item, nullptr) == S_OK) {
    ComPtr<IWICBitmapCodecInfo> info;
    UINT length = 0;
    if (SUCCEEDED(item.As(&info)) && SUCCEEDED(info->GetFileExtensions(0, nullptr, &length)) && length > 0) {
      std::wstring extensions(length, L'\0');
      if (SUCCEEDED(info->GetFileExtensions(length, extensions.data(), &length))) {
        extensions.resize(wcsnlen(extensions.c_str(), extensions.size()));
        claimed.push_back(platform::Utf8FromWide(extensions));
      }
    }
    item.Reset();
  }
  return claimed;
}

// The EXIF orientation of the frame, by the photo property's name or, where
// the system does not know that name, by the tag's path in a JPEG-like or a
// TIFF-like file.
int OrientationOf(IWICBitmapFrameDecode* frame) {
  ComPtr<IWICMetadataQueryReader> reader;
  if (FAILED(frame->GetMetadataQueryReader(&reader))) return 1;
  for (const wchar_t* query : {L"System.Photo.Orientation", L"/app1/ifd/{ushort=274}", L"/ifd/{ushort=274}"}) {
    PROPVARIANT value;
    ::PropVariantInit(&value);
    int orientation = 0;
    if (SUCCEEDED(reader->GetMetadataByName(query, &value)) && value.vt == VT_UI2) orientation = value.uiVal;
    ::PropVariantClear(&value);
    if (orientation >= 1 && orientation <= 8) return orientation;
  }
  return 1;
}

// The ICC profile of the frame's first colour context that holds one.
std::vector<uint8_t> ProfileOf(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
  UINT count = 0;
  if (FAILED(frame->GetColorContexts(0, nullptr, &count)) || count == 0) return {};
  std::vector<ComPtr<IWICColorContext>> owned(count);
  std::vector<IWICColorContext*> contexts(count);
  for (UINT i = 0; i < count; ++i) {
    if (FAILED(factory->CreateColorContext(&owned[i]))) return {};
    contexts[i] = owned[i].Get();
  }
  if (FAILED(frame->GetColorContexts(count, contexts.data(), &count))) return {};
  for (UINT i = 0; i < count; ++i) {
    WICColorContextType type{};
    UINT size = 0;
    if (FAILED(contexts[i]->GetType(&type)) || type != WICColorContextProfile) continue;
    if (FAILED(contexts[i]->GetProfileBytes(0, nullptr, &size)) || size == 0) continue;
    std::vector<uint8_t> profile(size);
    if (SUCCEEDED(contexts[i]->GetProfileBytes(size, profile.data(), &size))) return profile;
  }
  return {};
}

std::optional<Image> DecodeFirstFrame(IWICImagingFactory* factory, Bytes bytes) {
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame))) {
    return std::nullopt;
  }
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height))) return std::nullopt;
  std::optional<Image> image = AllocateImage(width, height);
  ComPtr<IWICFormatConverter> converter;
  if (!image || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->CopyPixels(nullptr, UINT(image->width) * 4, UINT(image->pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(image->pixels.data())))) {
    return std::nullopt;
  }
  CompositeOverBlack(image->pixels.data(), image->pixels.size());
  PhotoMetadata metadata;
  metadata.orientation = OrientationOf(frame.Get());
  metadata.iccProfile = ProfileOf(factory, frame.Get());
  return ApplyPhotoMetadata(std::move(*image), metadata);
}

}  // namespace

void InstallWicCodecs() {
  const ComOnThisThread com(COINIT_APARTMENTTHREADED);
  const ComPtr<IWICImagingFactory> factory = Factory();
  if (!factory) return;
  std::vector<std::string> extensions = ChooseSystemExtensions(ClaimedExtensions(factory.Get()));
  if (extensions.empty()) return;
  InstallSystemCodecs({std::move(extensions), DecodeWithWic, ShownSizeWithWic});
}

std::optional<Image> DecodeWithWic(Bytes bytes) {
  if (bytes.empty() || bytes.size() > kMaxFileBytes) return std::nullopt;
  const ComOnThisThread com(COINIT_MULTITHREADED);
  const ComPtr<IWICImagingFactory> factory = Factory();
  if (!factory) return std::nullopt;
  return DecodeFirstFrame(factory.Get(), bytes);
}

std::optional<PictureSize> ShownSizeWithWic(const std::string& path) {
  const ComOnThisThread com(COINIT_MULTITHREADED);
  const ComPtr<IWICImagingFactory> factory = Factory();
  if (!factory) return std::nullopt;
  const std::wstring name = platform::FileSystemPath(platform::WideFromUtf8(path));
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  if (FAILED(factory->CreateDecoderFromFilename(name.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
      !SizeAllowed(width, height)) {
    return std::nullopt;
  }
  return UprightSize({int32_t(width), int32_t(height)}, OrientationOf(frame.Get()));
}

}  // namespace codecs
