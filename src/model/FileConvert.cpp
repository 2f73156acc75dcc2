#include "model/FileConvert.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

#include "model/BandRecord.h"
#include "model/DataFile.h"
#include "model/MessageBox.h"
#include "model/RadioData.h"

namespace {

constexpr std::size_t kMobileTemplateSize = kImageSize;  // 32896
constexpr std::size_t kPortableTemplateSize = 22656;     // the portable file ends at 0x5880

std::string OpenProblem(const std::string& path) { return "Problem opening file\n    " + path + "\n\n   Press any key"; }

using Image = std::vector<std::uint8_t>;

void CopyFrom(Image& image, const Image& templ, std::size_t first, std::size_t last) {
  std::copy(templ.begin() + static_cast<std::ptrdiff_t>(first), templ.begin() + static_cast<std::ptrdiff_t>(last) + 1,
            image.begin() + static_cast<std::ptrdiff_t>(first));
}

void Fill(Image& image, std::size_t first, std::size_t last, std::uint8_t value) {
  std::fill(image.begin() + static_cast<std::ptrdiff_t>(first), image.begin() + static_cast<std::ptrdiff_t>(last) + 1,
            value);
}

// 1. Radio-wide bytes 0-255: the template's identity, then each byte as the
// target family keeps it.
void ConvertRadioWide(Image& img, const Image& templ, bool toMobile) {
  const Image o(img.begin(), img.begin() + 256);
  CopyFrom(img, templ, 0, 33);
  const auto set = [&img](std::size_t i, int v) { img[i] = static_cast<std::uint8_t>(v); };
  if (toMobile) {
    set(42, (img[42] & 0x10) | 0x08);
    set(43, (img[43] & 0x0F) | 0x80);
    for (std::size_t i = 0; i < 4; ++i) img[188 + i] = o[190 + i];
    set(192, 13);
    set(193, 12);
    for (std::size_t i = 0; i < 4; ++i) img[194 + i] = o[196 + i];
    const bool b7 = (o[182] & 0x80) != 0;
    set(198, b7 ? 11 : 0);
    set(199, b7 ? 10 : 0);
    set(182, o[182] & 0x3C);
    set(185, img[185] & 0xFC);
    set(211, img[211] & 0x1F);
    set(222, 0x50);
    set(226, 1);
    set(233, (img[233] & 0x30) | 0x05);
    set(249, 0x2F);
    set(251, 0xF8);
  } else {
    set(42, img[42] & 0x0F);
    set(43, (img[43] & 0x10) | 0x08);
    set(188, 0);
    set(189, 1);
    for (std::size_t i = 0; i < 4; ++i) img[190 + i] = o[188 + i];
    set(194, 0);
    set(195, 0x40);
    for (std::size_t i = 0; i < 4; ++i) img[196 + i] = o[194 + i];
    set(182, o[182] & 0xB0);
    set(185, 0x3C);
    set(210, 0xFF);
    set(211, 0x1F);
    set(226, 0);
    set(233, 0x25);
    Fill(img, 238, 243, 0xFF);
    set(249, 0x3F);
    set(251, 0xFF);
  }
  set(223, 0x40);
  set(224, 0xFF);
  set(225, 0xFF);
  set(227, 0xFE);
  set(232, 0x0F);
  set(250, 0xFF);
  // Both targets.
  Fill(img, 76, 107, 0xFF);
  Fill(img, 108, 139, 0);
  set(181, img[181] & 0x03);
  set(186, 0);
  set(200, img[200] & 0x0F);
  set(202, img[202] & 0x0F);
  set(203, 0);
  set(204, img[204] & 0x04);
  set(205, (img[205] & 0x01) | 0x30);
  set(207, img[207] & 0x7F);
  set(208, (img[208] & 0xF9) | 0x01);
  set(209, (img[209] & 0xED) | 0x08);
  set(212, (img[212] & 0xD9) | 0x19);
  set(213, (img[213] & 0x70) | 0x09);
  for (std::size_t i : {228, 229, 231, 237}) set(i, 0xFF);
  set(230, 0x33);
  set(235, img[235] & 0x1F);
  set(236, 0x37);
  set(246, img[246] & 0x3F);
}

// 2. Block 2 (the band record) from the template, and the DTMF bytes.
void ConvertBandAndDtmf(Image& img, const Image& templ, bool toMobile) {
  CopyFrom(img, templ, 256, 383);
  img[385] = static_cast<std::uint8_t>((img[385] & 0x13) | 0x40);
  Fill(img, 394, 401, 0);
  if (toMobile) CopyFrom(img, templ, 704, 767);
}

// 3. The display texts.
void ConvertTexts(Image& img, bool toMobile) {
  static const char* const kTexts[kStatusTextCount] = {
      "-CALLED-", "-TAKARD-", "-TXSAVE-", "- SCAN -", "-Z SCAN-", "- SKIP -", "- STOP -", "-DW ON -",
      "-DW OFF-", "-FDW ON-", "-TA ON -", "-TA OFF-", "-TS ON -", "-TS OFF-", "- P A  -"};
  std::memcpy(img.data() + area::kPowerOnText, "SELFTEST", kTextLength);
  for (int t = 0; t < kStatusTextCount; ++t) {
    std::uint8_t* at = img.data() + area::kStatusTexts + static_cast<std::size_t>(kTextLength * t);
    if (t == kStatusTextCount - 1 && !toMobile)
      std::memset(at, 0, kTextLength);
    else
      std::memcpy(at, kTexts[t], kTextLength);
  }
}

// 4. The zone records.
void ConvertZones(Image& img, bool toMobile) {
  for (int z = 0; z < kZoneCount; ++z) {
    std::uint8_t* r = img.data() + ZoneRecordOffset(z);
    r[0] &= 0xE4;
    if ((r[12] & 0x0C) == 4) {
      r[9] = toMobile ? 0x2A : 10;
      r[15] = 10;
    }
  }
}

// 5. The group records.
void ConvertGroups(Image& img, bool toMobile) {
  for (int g = 0; g < kGroupCount; ++g) {
    std::uint8_t* r = img.data() + GroupOffset(g);
    const auto r1Of = [](std::uint8_t r1, bool keep) {
      return static_cast<std::uint8_t>(keep ? (r1 & 0x9F) | 0x10 : r1 & 0x8F);
    };
    if (toMobile) {
      r[0] = static_cast<std::uint8_t>((r[0] & 0x10) ? r[0] | 0x18 : r[0] & 0xE7);
      r[1] = r1Of(r[1], (r[1] & 0x10) && r[3] < 0x80);
      r[3] &= 0x38;
    } else {
      const std::uint8_t old = r[0];
      const int t = (old & 0x18) ? (old & 0xF7) | 0x10 : old & 0xE7;
      const int low = old & 7;
      r[0] = static_cast<std::uint8_t>(low == 0 ? t & 0xF8 : low == 7 ? t | 7 : (t & 0xFC) | 4);
      r[1] = (r[1] & 0x40) ? static_cast<std::uint8_t>(r[1] & 0x80) : r1Of(r[1], (r[1] & 0x10) != 0);
      r[3] &= 0x3C;
    }
    r[2] &= 0x3F;
    r[6] &= 0xF3;
  }
}

// A radio data object that reads a given image's identity, band record,
// tuning bytes and adjustment header: what a channel codec needs.
template <class Data, class Band>
struct CodecSide {
  Band band;
  Data data{band};
  CodecSide(const std::uint8_t* image, const std::uint8_t* adjust) {
    band.Unpack(image);
    const std::uint8_t code = image[area::kFamilyCode];
    data.m_radioWide.familyCode = [code] { return code; };
    data.m_productWord = static_cast<std::uint32_t>(image[area::kProductCode] << 8 | image[area::kIdentWord]);
    data.LoadAdjustmentData(image, adjust, 1);
  }
};
using MobileSide = CodecSide<CMobileRadioData, CMobileBandRecord>;
using PortableSide = CodecSide<CPortableRadioData, CPortableBandRecord>;

// The two records' bandwidth, step codes and flags, the same for both.
template <class From, class To>
void CarryChannel(const From& from, To& to) {
  to.m_rxFrequency = from.m_rxFrequency;
  to.m_txFrequency = from.m_txFrequency;
  to.m_programmed = from.m_programmed;
  to.SetRxStepCode(from.RxStepCode());
  to.SetTxStepCode(from.TxStepCode());
  to.SetRxOnMHzGrid(from.RxOnMHzGrid());
  to.SetRxShift(from.RxShift());
  to.SetTxShift(from.TxShift());
}

// 6. The 640 channel records: each channel decoded with the source's codec
// (its family code, block 2, tuning bytes and adjustment header as they were
// before converters 1 and 2) and encoded with the target's (the template's).
void ConvertChannels(Image& img, const Image& source, const std::array<std::uint8_t, kAdjustCopySize>& sourceAdjust,
                     const Image& templ, const std::array<std::uint8_t, kAdjustCopySize>& templAdjust, bool toMobile) {
  Image out(templ.begin() + static_cast<std::ptrdiff_t>(area::kChannels),
            templ.begin() + static_cast<std::ptrdiff_t>(toMobile ? area::kMobileFiveToneCommon : area::kPortableAdjust));
  std::uint8_t* base = out.data() - area::kChannels;  // target slots addressed as in the image
  if (toMobile) {
    PortableSide from(source.data(), sourceAdjust.data());
    MobileSide to(templ.data(), templAdjust.data());
    for (int i = 0; i < kChannelCount; ++i) {
      from.data.LoadChannel(i, source.data() + PortableChannelOffset(i));
      const CPortableChannelRecord& s = from.data.m_channels[static_cast<std::size_t>(i)];
      CMobileChannelRecord& t = to.data.m_channels[static_cast<std::size_t>(i)];
      CarryChannel(s, t);
      t.m_mode = static_cast<std::uint8_t>((t.m_mode & 0x3F) | (s.IsWide() ? 0x40 : 0x00));
      to.data.StoreChannel(i, base + MobileChannelOffset(i));
    }
  } else {
    MobileSide from(source.data(), sourceAdjust.data());
    PortableSide to(templ.data(), templAdjust.data());
    for (int i = 0; i < kChannelCount; ++i) {
      from.data.LoadChannel(i, source.data() + MobileChannelOffset(i));
      const CMobileChannelRecord& s = from.data.m_channels[static_cast<std::size_t>(i)];
      CPortableChannelRecord& t = to.data.m_channels[static_cast<std::size_t>(i)];
      CarryChannel(s, t);
      if (s.IsWide())
        t.m_flags &= static_cast<std::uint8_t>(~0x01);
      else
        t.MakeNarrow();
      to.data.StoreChannel(i, base + PortableChannelOffset(i));
    }
  }
  std::copy(out.begin(), out.end(), img.begin() + static_cast<std::ptrdiff_t>(area::kChannels));
}

// The adjustment copy a template carries.
std::array<std::uint8_t, kAdjustCopySize> TemplateAdjust(const Image& templ, bool toMobile) {
  std::array<std::uint8_t, kAdjustCopySize> adjust;
  adjust.fill(kUnwrittenByte);
  const std::size_t from = toMobile ? area::kMobileAdjust : area::kPortableAdjust;
  const std::size_t n = toMobile ? kAdjustCopySize : kBlockSize;
  std::copy_n(templ.begin() + static_cast<std::ptrdiff_t>(from), n, adjust.begin());
  return adjust;
}

bool ReadTemplate(const std::string& path, Family target, Image& templ) {
  templ.assign(kImageSize, kUnwrittenByte);
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return false;
  in.read(reinterpret_cast<char*>(templ.data()), static_cast<std::streamsize>(kImageSize));
  return static_cast<std::size_t>(in.gcount()) >= ConvertTemplateSize(target);
}

}  // namespace

Family ConvertSourceFamily(const std::string& path) {
  if (path.size() < 3) return kUnknownFamily;
  std::string tail = path.substr(path.size() - 3);
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail == "K58" ? kMobile : tail == "P58" ? kPortable : kUnknownFamily;
}

std::string ConvertOutputName(const std::string& source, Family sourceFamily) {
  const std::string ext = sourceFamily == kMobile ? ".P58" : ".K58";
  if (source.size() >= 4 && source[source.size() - 4] == '.') return source.substr(0, source.size() - 4) + ext;
  return source + ext;
}

const char* ConvertTemplateName(Family sourceFamily, std::uint8_t sourceFamilyCode) {
  if (sourceFamily == kMobile)
    return (sourceFamilyCode & 0xE0) == 0x60 ? kDefaultPortableUhfFile : kDefaultPortableVhfFile;
  return (sourceFamilyCode & 0x80) != 0 ? kDefaultMobileUhfFile : kDefaultMobileVhfFile;
}

std::size_t ConvertTemplateSize(Family target) {
  return target == kMobile ? kMobileTemplateSize : kPortableTemplateSize;
}

void ConvertImage(Image& image, std::array<std::uint8_t, kAdjustCopySize>& adjust, Family sourceFamily,
                  const Image& templ) {
  const bool toMobile = sourceFamily == kPortable;
  // What the channel codecs read of the source, before the converters
  // replace it.
  const Image source = image;
  const std::array<std::uint8_t, kAdjustCopySize> sourceAdjust = adjust;
  const std::array<std::uint8_t, kAdjustCopySize> templAdjust = TemplateAdjust(templ, toMobile);

  ConvertRadioWide(image, templ, toMobile);
  ConvertBandAndDtmf(image, templ, toMobile);
  ConvertTexts(image, toMobile);
  ConvertZones(image, toMobile);
  ConvertGroups(image, toMobile);
  ConvertChannels(image, source, sourceAdjust, templ, templAdjust, toMobile);
  // 7. The 5-Tone area and the adjustment data come from the template.
  if (toMobile) {
    CopyFrom(image, templ, area::kMobileFiveToneCommon, 0x5FFB);
    Fill(image, area::kMobileCarried, area::kMobileAdjust - 1, 0xFF);
    CopyFrom(image, templ, area::kMobileAdjust, kImageSize - 1);
  } else {
    CopyFrom(image, templ, area::kPortableFiveToneCommon, 0x5753);
    Fill(image, 0x5754, 0x587F, 0xFF);
    CopyFrom(image, templ, area::kPortableAdjust, area::kPortableFiveToneCommon - 1);
    // Nothing of a portable image lies past its file's end.
    Fill(image, kPortableTemplateSize, kImageSize - 1, 0xFF);
  }
  adjust = templAdjust;
}

std::string ConvertDataFile(const std::string& source, const std::string& programDir) {
  const Family family = ConvertSourceFamily(source);
  if (family == kUnknownFamily) {
    ShowMessageBox(OpenProblem(source));
    return "";
  }
  DataFileContents file;
  if (ReadDataFile(source, programDir, file) == 0) return "";
  if (file.family != family) {
    // A file whose contents are of the other family than its name says.
    ShowMessageBox("Hardware configuration mismatched!", kMsgOk | kMsgIconWarning);
    return "";
  }
  const Family target = family == kMobile ? kPortable : kMobile;
  std::string templPath = ConvertTemplateName(family, file.image[area::kFamilyCode]);
  if (!programDir.empty()) templPath = programDir + "/" + templPath;
  Image templ;
  if (!ReadTemplate(templPath, target, templ)) {
    ShowMessageBox(OpenProblem(templPath));
    return "";
  }
  ConvertImage(file.image, file.adjust, family, templ);
  const std::string output = ConvertOutputName(source, family);
  if (!WriteDataFileBytes(output, file.image)) return "";
  return output;
}
