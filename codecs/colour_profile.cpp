#include "codecs/colour_profile.h"

#include <lcms2.h>

#include <cmath>
#include <memory>
#include <optional>

#include "codecs/decode_limits.h"

namespace codecs {
namespace {

struct ProfileCloser {
  void operator()(void* p) const { cmsCloseProfile(p); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

struct CurveFreer {
  void operator()(cmsToneCurve* c) const { cmsFreeToneCurve(c); }
};
using Curve = std::unique_ptr<cmsToneCurve, CurveFreer>;

bool SameXyz(cmsHPROFILE a, cmsHPROFILE b, cmsTagSignature tag) {
  const auto* x = static_cast<const cmsCIEXYZ*>(cmsReadTag(a, tag));
  const auto* y = static_cast<const cmsCIEXYZ*>(cmsReadTag(b, tag));
  constexpr double kTolerance = 0.002;
  return x != nullptr && y != nullptr && std::abs(x->X - y->X) < kTolerance &&
         std::abs(x->Y - y->Y) < kTolerance && std::abs(x->Z - y->Z) < kTolerance;
}

bool SameCurve(cmsHPROFILE a, cmsHPROFILE b, cmsTagSignature tag) {
  const auto* x = static_cast<const cmsToneCurve*>(cmsReadTag(a, tag));
  const auto* y = static_cast<const cmsToneCurve*>(cmsReadTag(b, tag));
  if (x == nullptr || y == nullptr) return false;
  for (int i = 0; i <= 16; ++i) {
    const float v = float(i) / 16;
    if (std::abs(cmsEvalToneCurveFloat(x, v) - cmsEvalToneCurveFloat(y, v)) > 0.5f / 255) return false;
  }
  return true;
}

// Most photos carry an sRGB profile: converting would cost time for changes
// below one step, so a matrix profile with sRGB's colorants and curves counts
// as sRGB.
bool IsSrgb(cmsHPROFILE profile, cmsHPROFILE srgb) {
  return cmsIsMatrixShaper(profile) && SameXyz(profile, srgb, cmsSigRedColorantTag) &&
         SameXyz(profile, srgb, cmsSigGreenColorantTag) && SameXyz(profile, srgb, cmsSigBlueColorantTag) &&
         SameCurve(profile, srgb, cmsSigRedTRCTag) && SameCurve(profile, srgb, cmsSigGreenTRCTag) &&
         SameCurve(profile, srgb, cmsSigBlueTRCTag);
}

// Image pixels are bytes B, G, R, 0; the fourth byte is an extra channel lcms
// leaves as it is when converting in place.
void ConvertInPlace(Image& image, cmsHPROFILE source) {
  if (source == nullptr || cmsGetColorSpace(source) != cmsSigRgbData) return;
  if (cmsGetDeviceClass(source) == cmsSigLinkClass) return;
  Profile srgb(cmsCreate_sRGBProfile());
  if (!srgb || IsSrgb(source, srgb.get())) return;
  cmsHTRANSFORM transform =
      cmsCreateTransform(source, TYPE_BGRA_8, srgb.get(), TYPE_BGRA_8, INTENT_PERCEPTUAL, 0);
  if (transform == nullptr) return;
  for (int32_t y = 0; y < image.height; ++y) {
    cmsDoTransform(transform, image.row(y), image.row(y), cmsUInt32Number(image.width));
  }
  cmsDeleteTransform(transform);
}

struct Primaries {
  cmsCIExyY red, green, blue, white;
};

std::optional<Primaries> PrimariesFor(int code) {
  constexpr cmsCIExyY kD65 = {0.3127, 0.3290, 1.0};
  switch (code) {
    case 1:
    case 2: return Primaries{{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}, kD65};
    case 4: return Primaries{{0.67, 0.33, 1}, {0.21, 0.71, 1}, {0.14, 0.08, 1}, {0.310, 0.316, 1}};
    case 5: return Primaries{{0.64, 0.33, 1}, {0.29, 0.60, 1}, {0.15, 0.06, 1}, kD65};
    case 6:
    case 7: return Primaries{{0.630, 0.340, 1}, {0.310, 0.595, 1}, {0.155, 0.070, 1}, kD65};
    case 9: return Primaries{{0.708, 0.292, 1}, {0.170, 0.797, 1}, {0.131, 0.046, 1}, kD65};
    case 11:
      return Primaries{{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}, {0.314, 0.351, 1}};
    case 12: return Primaries{{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}, kD65};
    default: return std::nullopt;
  }
}

// The decoding curve (coded value to linear light) of an SDR transfer.
Curve TransferCurve(int code) {
  switch (code) {
    case 1:
    case 6:
    case 14:
    case 15: {
      const cmsFloat64Number bt709[5] = {1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081};
      return Curve(cmsBuildParametricToneCurve(nullptr, 4, bt709));
    }
    case 2:
    case 13: {
      const cmsFloat64Number srgb[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
      return Curve(cmsBuildParametricToneCurve(nullptr, 4, srgb));
    }
    case 4: return Curve(cmsBuildGamma(nullptr, 2.2));
    case 5: return Curve(cmsBuildGamma(nullptr, 2.8));
    case 8: return Curve(cmsBuildGamma(nullptr, 1.0));
    default: return nullptr;
  }
}

bool IsSdrBt709(CodedColour c) {
  const bool primaries = c.primaries == 1 || c.primaries == 2;
  const bool transfer = c.transfer == 1 || c.transfer == 2 || c.transfer == 6 ||
                        c.transfer == 13 || c.transfer == 14 || c.transfer == 15;
  return primaries && transfer;
}

}  // namespace

void ConvertIccToSrgb(Image& image, Bytes iccProfile) {
  if (image.empty() || iccProfile.empty() || iccProfile.size() > kMaxIccProfileBytes) return;
  Profile source(cmsOpenProfileFromMem(iccProfile.data(), cmsUInt32Number(iccProfile.size())));
  ConvertInPlace(image, source.get());
}

void ConvertCodedToSrgb(Image& image, CodedColour colour) {
  if (image.empty() || IsSdrBt709(colour)) return;
  const std::optional<Primaries> p = PrimariesFor(colour.primaries);
  Curve curve = TransferCurve(colour.transfer);
  if (!p || !curve) return;
  const cmsCIExyYTRIPLE primaries = {p->red, p->green, p->blue};
  cmsToneCurve* curves[3] = {curve.get(), curve.get(), curve.get()};
  Profile source(cmsCreateRGBProfile(&p->white, &primaries, curves));
  ConvertInPlace(image, source.get());
}

}  // namespace codecs
