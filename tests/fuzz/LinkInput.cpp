#include "LinkInput.h"

#include <unistd.h>

#include <filesystem>

#include <vector>

#include "FuzzSupport.h"
#include "model/ConfigFile.h"

namespace {

struct LayoutChoice {
  std::uint16_t eepromEnd;
  std::uint32_t flashStart;
};
constexpr LayoutChoice kChoices[] = {{127, 0x38000}, {127, 0x1A500}, {127, 0x1B400}, {127, 0x1DC00},
                                     {63, 0x38000},  {63, 0x1A500},  {63, 0x1B400},  {63, 0x1DC00}};

std::vector<CloneLayout> ReadLayouts() {
  // The configuration files are found by their plain names in the working folder.
  const std::string dir = ScratchFile("layouts");
  std::filesystem::create_directories(dir);
  char here[4096];
  if (::getcwd(here, sizeof here) == nullptr || ::chdir(dir.c_str()) != 0) InvariantBroken("cannot enter " + dir);
  std::vector<CloneLayout> layouts;
  for (const LayoutChoice& c : kChoices) {
    std::uint8_t factory[10] = {0, 0, 0, 0, static_cast<std::uint8_t>(c.eepromEnd), 0};
    for (int i = 0; i < 4; ++i) factory[6 + i] = static_cast<std::uint8_t>(c.flashStart >> (8 * i));
    WriteWholeFile("MB925.CFG", factory, sizeof factory);
    WriteWholeFile("MB407.CFG", factory, sizeof factory);
    CConfigFile mobile;
    CPortableConfigFile portable;
    mobile.ReadConfig();
    portable.ReadConfig();
    layouts.push_back(CloneLayoutFromConfig(mobile, portable));
  }
  if (::chdir(here) != 0) InvariantBroken("cannot go back to " + std::string(here));
  return layouts;
}

const std::vector<CloneLayout>& Layouts() {
  static const std::vector<CloneLayout> layouts = ReadLayouts();
  return layouts;
}

}  // namespace

int LayoutCount() { return static_cast<int>(Layouts().size()); }
const CloneLayout& ConfiguredLayout(int i) { return Layouts().at(static_cast<std::size_t>(i)); }
int StreamedLayout() { return 3; }
int DefaultLayout() { return 0; }

std::optional<LinkInput> ParseLinkInput(const std::uint8_t* data, std::size_t size) {
  if (size < kLinkHeaderSize) return std::nullopt;
  LinkInput in;
  const std::uint8_t flags = data[0];
  in.knownPassword = flags & 0x01;
  in.manufacturerMode = flags & 0x02;
  in.portable = flags & 0x04;
  in.echo = !(flags & 0x08);
  in.failOpen = flags & 0x10;
  in.answers = flags & 0x20;
  in.oneBlock = flags & 0x40;
  in.rawOrRomEditor = flags & 0x80;
  in.layout = ConfiguredLayout(data[1] % LayoutCount());
  in.streamed = in.layout.streamProtocol;
  in.layout.rawImageEdited = in.rawOrRomEditor;
  in.layout.mobile.romEditorMode = in.rawOrRomEditor;
  in.layout.portable.romEditorMode = in.rawOrRomEditor;
  in.typed.assign(reinterpret_cast<const char*>(data + 2), 8);
  in.block = data[10];
  in.file = data[11];
  in.script = data + kLinkHeaderSize;
  in.scriptSize = size - kLinkHeaderSize;
  return in;
}

std::array<std::uint8_t, kLinkHeaderSize> LinkHeader(bool portable, int layout, std::uint8_t file) {
  std::array<std::uint8_t, kLinkHeaderSize> h{};
  h[0] = static_cast<std::uint8_t>(portable ? 0x04 : 0);
  h[1] = static_cast<std::uint8_t>(layout);
  for (int i = 2; i < 10; ++i) h[static_cast<std::size_t>(i)] = ' ';
  h[11] = file;
  return h;
}
