#pragma once
// Data-file conversion between the families: a mobile ".K58" file becomes a
// portable ".P58" file and back. The source is read into a scratch image, a
// default file of the target family serves as the template for what the
// source cannot supply, the area converters rewrite the scratch image in the
// target layout, and the result is written beside the source. The working
// image, the records and the family are never touched here.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/RadioImage.h"

// The family a source name stands for by its last three characters, in any
// case: "K58" mobile, "P58" portable; kUnknownFamily for any other name.
Family ConvertSourceFamily(const std::string& path);

// The output name: the source with the target's extension (".P58" for a
// mobile source, ".K58" for a portable one) in place of its own.
std::string ConvertOutputName(const std::string& source, Family sourceFamily);

// The target's default file that serves as the template, relative to the
// program folder: the band of the source's family code (mobile: model group
// 0x60 of the masked code is UHF; portable: bit 7 set is UHF).
const char* ConvertTemplateName(Family sourceFamily, std::uint8_t sourceFamilyCode);

// How many bytes a template of the target family must hold.
std::size_t ConvertTemplateSize(Family target);

// Rewrites `image` (kImageSize bytes in the source family's layout) into
// the other family's layout; `adjust` becomes the target's adjustment copy.
// `templ` is the target's default image (at least ConvertTemplateSize bytes,
// padded with 0xFF to kImageSize).
void ConvertImage(std::vector<std::uint8_t>& image, std::array<std::uint8_t, kAdjustCopySize>& adjust,
                  Family sourceFamily, const std::vector<std::uint8_t>& templ);

// The whole conversion of a source file into its output file. Messages are
// shown for every failure ("Problem opening file ..." for a source or
// template that cannot be read, the loader's own refusals, "Problem Saving
// file ..."). Returns the output name, or "" when nothing was written.
std::string ConvertDataFile(const std::string& source, const std::string& programDir);
