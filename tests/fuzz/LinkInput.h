#pragma once
// The fuzz input of the link targets: a 12-byte header that chooses the
// settings of the transfer, then the radio's script (ScriptPort.h).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "link/RadioReader.h"

inline constexpr std::size_t kLinkHeaderSize = 12;

struct LinkInput {
  // byte 0
  bool knownPassword = false; // read: the program knows the radio by the typed text
  bool manufacturerMode = false;
  bool portable = false;      // read: the family shown; send: the family sent
  bool echo = true;           // the usual single-wire cable
  bool failOpen = false;
  bool answers = false;       // read: a password is entered; send: service mode
  bool oneBlock = false;      // send: the memory editor's one block
  bool rawOrRomEditor = false;
  // byte 1: one of the configured layouts (LayoutCount of them); the
  // protocol is the layout's
  CloneLayout layout;
  bool streamed = false;
  // bytes 2-9: what the user types (password or serial digits)
  std::string typed;
  // byte 10: the one block's number, byte 11: a data file of tests/data
  std::uint8_t block = 0;
  std::uint8_t file = 0;
  const std::uint8_t* script = nullptr;
  std::size_t scriptSize = 0;
};

// Nothing when the input is shorter than the header.
std::optional<LinkInput> ParseLinkInput(const std::uint8_t* data, std::size_t size);
// The header bytes of a settings choice (for making seeds).
std::array<std::uint8_t, kLinkHeaderSize> LinkHeader(bool portable, int layout, std::uint8_t file);

// The layouts the configuration files can give: EEPROM end 127 or 63 by
// every flash ROM start, read from real configuration files.
int LayoutCount();
const CloneLayout& ConfiguredLayout(int i);
// Which layout has the streamed protocol, and the usual polled one.
int StreamedLayout();
int DefaultLayout();
