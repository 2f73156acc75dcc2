// The built-in default image's radio-wide bytes, typed from the radio's
// documented defaults rather than from the records, so a wrong default in a
// record's table shows here.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/ModelChange.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

// Bytes first..last of the image, under a mask, hold value.
struct DefaultByte {
  int first;
  int last;
  std::uint8_t value;
  std::uint8_t mask = 0xFF;
};

// Both families. Bytes the other records rewrite after the radio-wide record
// are checked only in the bits that stay its own (202, 207, 208).
const std::vector<DefaultByte> kCommon = {
    {30, 30, 0x20},   {31, 31, 0x9F},   {33, 33, 0x00},       {34, 41, 0x00},   {42, 42, 0x08},
    {140, 141, 0xFF}, {182, 182, 0x18}, {183, 183, 0x33},     {184, 184, 7},    {185, 185, 0x1C},
    {186, 186, 0x00}, {187, 187, 10},   {200, 200, 0x00},     {202, 202, 0x02, 0x0F},
    {204, 204, 0x00}, {205, 205, 0x30}, {206, 206, 0x33},     {207, 207, 0x00, 0x7F},
    {208, 208, 0x00, 0xE0},             {209, 209, 0x0D},     {210, 210, 0xFF}, {212, 212, 0x99},
    {213, 213, 0x49}, {214, 221, 0xFF}, {222, 222, 0x50},     {223, 223, 0x40}, {224, 225, 0xFF},
    {227, 227, 0xFE}, {228, 229, 0xFF}, {230, 230, 0x33},     {231, 231, 0xFE}, {232, 232, 0x0F},
    {233, 233, 0x25}, {234, 235, 0xFF}, {646, 653, 0x00},
};

const std::vector<DefaultByte> kMobileOnly = {
    {43, 43, 0x88},   {211, 211, 0xFF}, {226, 226, 1},    {236, 236, 0x37}, {244, 244, 0xFF},
    {246, 246, 0x20}, {247, 247, 0x9F}, {249, 249, 0x2F}, {251, 251, 0xF8}, {254, 254, 0x5A},
    {255, 255, 0xA5}, {704, 704, 0x90}, {705, 705, 0x10}, {706, 718, 0x00}, {719, 730, 0x00},
    {731, 747, 0xFF}, {748, 748, 0x19}, {749, 754, 10},   {755, 755, 1},    {756, 756, 20},
    {757, 757, 0x90}, {758, 758, 0x50}, {759, 759, 10},   {760, 760, 0x80}, {761, 761, 0xA8},
    {762, 762, 0x1B}, {763, 763, 0x00},
};

const std::vector<DefaultByte> kPortableOnly = {
    {43, 43, 0x04}, {211, 211, 0x00}, {226, 226, 0}, {240, 244, 0xFF}, {246, 246, 0x20}, {247, 247, 0x9F},
};

TEST(BuiltInDefaultImage, HoldsTheDocumentedRadioWideDefaults) {
  for (std::uint8_t code : {kFamilyMobileUhf, kFamilyMobileVhf, kFamilyPortableUhf, kFamilyPortableVhf}) {
    SCOPED_TRACE(static_cast<int>(code));
    FreshProgramState fresh;
    ScriptedMessages messages;
    ResetToDefaultModel(code);
    ASSERT_TRUE(AllocateRadioImage());
    BuildDefaultImage(g_pRadioImage);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(g_pRadioImage[32], code);
    const bool portable = FamilyOfCode(code) == kPortable;
    for (const auto* table : {&kCommon, portable ? &kPortableOnly : &kMobileOnly}) {
      for (const DefaultByte& d : *table) {
        for (int i = d.first; i <= d.last; ++i) {
          EXPECT_EQ(g_pRadioImage[i] & d.mask, d.value) << "image byte " << i;
        }
      }
    }
  }
}

}  // namespace
