// The memory editor's "only one block": the polled send narrowed to the one
// block typed, with the words of that block and nothing else.
#include "link/RadioSender.h"

#include <cctype>

#include "link/SendShared.h"
#include "model/Digits.h"

namespace {
// The EEPROM's two blocks hold words 0..63 and 64..127.
constexpr int kLastWordOfBlock0 = 63;
constexpr int kFirstWordOfBlock1 = 64;
}  // namespace

int ParseBlockNumber(const std::string& text, int blockCount) {
  if (text.empty()) return -1;
  long long value = 0;
  for (const char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return -1;
    const int digit = CharToHexValue(c);
    value = value * 16 + digit;
    // Digits only ever make the number bigger: stop before it can wrap.
    if (value >= blockCount) return -1;
  }
  return static_cast<int>(value);
}

int CRadioSender::PlanOneBlock(PolledPlan& plan) {
  const std::string& text = *settings_.oneBlockText;
  if (text.empty()) return link_.ReportFailure(" No input address ");
  const int block = ParseBlockNumber(text, settings_.layout.blockCount);
  if (block < 0) return link_.ReportFailure("Parameter Error");
  plan.displayTotal = block + 1;
  plan.blockLimit = block + 1;
  plan.writesWords = block <= LastEepromBlock();
  if (block == 0)
    plan.lastWord = kLastWordOfBlock0;
  else
    plan.firstWord = kFirstWordOfBlock1;
  // The block carries its own words and nothing else: no patches.
  plan.writesPatches = false;
  if (block > LastEepromBlock()) plan.firstBlock = block;
  // It goes out whatever the records say is in use.
  plan.skipsUnusedBlocks = false;
  return kTransferDone;
}
