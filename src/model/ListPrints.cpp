#include "model/ListPrints.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "model/DtmfData.h"
#include "model/FiveTone.h"
#include "model/GlobalRecordFields.h"
#include "model/Digits.h"
#include "model/PrintTable.h"

namespace {

constexpr int kSecondBlockColumn = 75;

void Cell(IPrintCanvas& canvas, int x1, int y, int x2, int h, const std::string& text) {
  canvas.Rectangle({x1, y, x2, y + h});
  PrintFittedText(canvas, x1, y, x2 - x1 - canvas.TextMetrics().averageCharWidth / 4, text);
}

// A DTMF digit as printed: "0"-"9", "A"-"D", "*" and "#".
char DigitChar(int digit) { return DtmfDigitToChar(static_cast<std::uint8_t>(digit & 0xF)); }

}  // namespace

void PrintRfChannelList(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CTablePen pen(canvas);
  const int F = 18 * u;
  const int N = 13 * u;
  const int bottom = canvas.PageMetrics().height;
  canvas.StartPage();
  int y = p + 2 * h;
  char split[32];
  std::snprintf(split, sizeof split, "%5.1f", model.openingMsg.m_defaultSplit);
  Cell(canvas, x0, y, x0 + F, h, "Default Split");
  Cell(canvas, x0 + F, y, x0 + 2 * F, h, split);

  int X = x0;
  const auto header = [&] {
    y = p + 4 * h;
    Cell(canvas, X, y, X + N, h, "Ch.");
    Cell(canvas, X + N, y, X + N + F, h, "RX Freq.");
    Cell(canvas, X + N + F, y, X + N + 2 * F, h, "TX Freq.");
    Cell(canvas, X + N + 2 * F, y, X + 2 * N + 2 * F, h, "ch Space");
    y += h;
  };
  header();
  for (int i = 0; i < kChannelCount; ++i) {
    const PrintedChannel c = ChannelForPrint(model, i);
    if (!c.programmed) continue;
    char number[8];
    std::snprintf(number, sizeof number, "%.3d", i + 1);
    Cell(canvas, X, y, X + N, h, number);
    Cell(canvas, X + N, y, X + N + F, h, FrequencyText(c.rx, 10));
    Cell(canvas, X + N + F, y, X + N + 2 * F, h, FrequencyText(c.tx, 10));
    Cell(canvas, X + N + 2 * F, y, X + 2 * N + 2 * F, h, c.narrow ? "Narrow" : "Wide");
    y += h;
    if (y + 2 * h > bottom) {
      if (X < x0 + kSecondBlockColumn * u) {
        X = x0 + kSecondBlockColumn * u;
      } else {
        canvas.EndPage();
        canvas.StartPage();
        X = x0;
      }
      header();
    }
  }
}

void PrintDtmfAniPage(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CDtmfData& dtmf = model.dtmf;
  const CGlobalRecord& g = model.global;
  const bool mobile = model.family == kMobile;
  const CTablePen pen(canvas);
  const auto line = [&](int n) { return p + n * h; };
  const auto X = [&](int k) { return x0 + k * u; };
  // A section ends where the next one on its side starts, on the line of
  // the next title, so no frame runs through a title.
  const auto section = [&](int left, int first, int last, const char* title) {
    canvas.Rectangle({X(left), line(first) - 20, X(left + 60), line(last) - 20});
    PrintFittedText(canvas, X(left), line(first), 60 * u - u / 2, title);
  };
  const auto setting = [&](int n, int labelAt, int v, int r, const char* label, const std::string& value) {
    PrintFittedText(canvas, X(labelAt), line(n), X(v) - X(labelAt) - u / 2, label);
    canvas.Rectangle({X(v), line(n), X(r), line(n + 1) - 20});
    PrintFittedText(canvas, X(v), line(n), X(r) - X(v) - u / 4, value);
  };
  const auto row = [&](int n, std::initializer_list<std::pair<int, int>> cells, std::initializer_list<std::string> texts) {
    auto text = texts.begin();
    for (const auto& [from, to] : cells) Cell(canvas, X(from), line(n), X(to), h, *text++);
  };

  using namespace dtmf_choice;
  namespace f = dtmf_field;
  // A value no choice holds reads as the last choice's text.
  const auto text = [](Choices choices, std::uint32_t value) {
    return std::string(ChoiceText(choices, value, static_cast<int>(choices.size()) - 1));
  };
  const std::string keypad = text(kDisableEnable, ValueOf(dtmf, f::kKeyPad));

  const int d = mobile ? 10 : 9;
  section(0, 2, d, "Global Setting");
  setting(3, 8, 38, 56, "DTMF Monitor", text(kDisableEnable, ValueOf(g, global::kDtmfMonitor)));
  setting(4, 8, 38, 56, "DTMF pause character", text(kPauseCharacter, ValueOf(dtmf, f::kPauseCharacter)));
  // The print's own digit: upper case where the page's box shows "a"-"d".
  setting(5, 8, 38, 56, "DTMF pause character code",
          std::string(1, DigitChar(static_cast<int>(ValueOf(dtmf, f::kPauseCode)))));
  setting(6, 8, 38, 56, "Pause Time", text(kPauseTime, ValueOf(dtmf, f::kPauseTime)));
  setting(7, 8, 38, 56, "DTMF Speed", text(kDtmfSpeed, ValueOf(dtmf, f::kDtmfSpeed)));
  if (mobile) {
    setting(8, 8, 38, 56, "DTMF Keypad", keypad);
    if (!IsMobileProductCode(model.RadioDataView().ProductCode())) setting(9, 8, 38, 56, "DTMF KeyPad", keypad);
  } else {
    setting(8, 8, 38, 56, "DTMF KeyPad", keypad);
  }
  section(0, d, d + 14, "Individual Dial Memory setting");
  row(d + 2, {{8, 18}, {18, 33}, {33, 56}}, {"Location", "Dial Tagging", "Dial #"});
  for (int k = 0; k < kDialMemories; ++k) {
    // Location 0 is memory #0, kept last.
    const int memory = k == 0 ? kDialMemoryZero : k - 1;
    const char* tag = dtmf.dialTags[memory];
    row(d + 3 + k, {{8, 18}, {18, 33}, {33, 56}},
        {"    " + std::to_string(k), std::string(tag, strnlen(tag, kDialTagLength)),
         DtmfStringField(dtmf.DialMemory(memory).data())});
  }

  section(70, 2, 5, "Paging Parameter Setting");
  canvas.TextOut(X(73), line(3), "Global Setting");
  setting(3, 93, 113, 123, "Calling Times", text(kCallingTimes, ValueOf(dtmf, f::kCallingTimes)));
  section(70, 5, 19, "Individual Paging code");
  row(7, {{78, 88}, {88, 103}, {103, 123}}, {"Location", "Code", "Decoding"});
  for (int k = 0; k < kDialMemories; ++k) {
    const std::uint16_t word = dtmf.pagingCodes[static_cast<std::size_t>(k)];
    char location[8];
    std::snprintf(location, sizeof location, "%5d", k + 1);
    row(8 + k, {{78, 88}, {88, 103}, {103, 123}},
        {location, PagingCodeText(word), text(kOffOn, ValueOf(dtmf, f::PagingDecode(k)))});
  }
  section(70, 19, 25, "ANI Setting");
  setting(20, 78, 103, 121, "ANI Transmission", text(kAniTransmission, ValueOf(g, global::kAniTransmission)));
  setting(21, 78, 103, 121, "ANI Code", DtmfStringField(dtmf.aniCode.data()));
  setting(22, 78, 103, 121, "ANI Speed", text(kAniSpeed, ValueOf(g, global::kAniSpeed)));
  if (!mobile)
    setting(23, 78, 103, 121, "1st digit Delay", text(kFirstDigitDelay, ValueOf(g, global::kFirstDigitDelay)));
}

namespace {

std::string Printf(const char* format, long value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A column drawn top to bottom: its two-line header cell, then a cell a line.
void PrintColumn(IPrintCanvas& canvas, int x1, int x2, int headerLine, const std::string& head1,
                 const std::string& head2, const std::vector<std::string>& cells, int h, int p) {
  const int top = p + headerLine * h;
  canvas.Rectangle({x1, top, x2, top + 2 * h});
  canvas.TextOut(x1, top, head1);
  canvas.TextOut(x1, top + h, head2);
  for (std::size_t i = 0; i < cells.size(); ++i)
    Cell(canvas, x1, top + (2 + static_cast<int>(i)) * h, x2, h, cells[i]);
}

}  // namespace

void PrintFiveToneTable(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CTablePen pen(canvas);
  const bool mobile = model.family == kMobile;
  const auto X = [&](int k) { return x0 + k * u; };
  const auto line = [&](int n) { return p + n * h; };

  std::vector<std::string> labels;
  for (int t = 0; t < kFiveToneTones; ++t) labels.push_back(std::string(15, ' ') + "0123456789ABCDEF"[t]);
  labels.push_back("Period Time[ms]");
  labels.push_back("Gap Period Time[ms]");
  PrintColumn(canvas, X(0), X(23), 2, "", "", labels, h, p);

  const char* const heads[4] = {"    ZVEI", "   CCIR1", "    EEA", "    EIA"};
  // The portable radio's four fixed columns keep fixed timings.
  const char* const fixedPeriod[4] = {"     70", "    100", "     40", "     33"};
  const char* const fixedGap[4] = {"    105", "    150", "     60", "     50"};
  const std::uint32_t* userTones = nullptr;
  std::string userPeriod, userGap;
  const CFiveToneCodeRecord* codes = nullptr;
  // The user column: the mobile code record, the portable tone record.
  if (mobile) {
    codes = &static_cast<const CMobileModel&>(model).records.fiveToneCodes;
    userTones = codes->tones.data();
    userPeriod = Printf("%3ld", codes->period[4]);
    userGap = Printf("%4ld", static_cast<long>(codes->gap[4]));
  } else {
    const CFiveToneToneRecord& tones = static_cast<const CPortableModel&>(model).records.fiveToneTones;
    userTones = tones.tones.data();
    userPeriod = Printf("%7.1ld", tones.userPeriod);
    userGap = Printf("%7.1ld", static_cast<long>(tones.userGap));
  }
  for (int c = 0; c < 4; ++c) {
    std::vector<std::string> cells;
    for (int t = 0; t < kFiveToneTones; ++t) {
      cells.push_back(Printf("%7ld", static_cast<long>(PublishedFiveTone(c, t))));
    }
    cells.push_back(mobile ? Printf("%3ld", codes->period[static_cast<std::size_t>(c)]) : fixedPeriod[c]);
    cells.push_back(mobile ? Printf("%4ld", static_cast<long>(codes->gap[static_cast<std::size_t>(c)])) : fixedGap[c]);
    PrintColumn(canvas, X(23 + 10 * c), X(33 + 10 * c), 2, heads[c], c == 3 ? "       " : "", cells, h, p);
  }
  std::vector<std::string> user;
  for (int t = 0; t < kFiveToneTones; ++t) user.push_back(Printf("%7.1ld", static_cast<long>(userTones[t])));
  user.push_back(userPeriod);
  user.push_back(userGap);
  PrintColumn(canvas, X(63), X(73), 2, "  NATEL", "  /USER", user, h, p);

  const CFiveToneCommonRecord& c = model.fiveToneCommon;
  canvas.Rectangle({X(0), line(23), X(55), line(46) + 5});
  canvas.TextOut(X(0), line(23), "5-Tone Common/System");
  int n = 24;
  const auto value = [&](const char* label, const std::string& text) {
    canvas.TextOut(X(4), line(n), label);
    canvas.Rectangle({X(32), line(n), X(53), line(n + 1) - 20});
    canvas.TextOut(X(32), line(n), text);
    ++n;
  };
  const auto flags = [&](const char* label, const std::array<std::uint8_t, 5>& f) {
    canvas.TextOut(X(4), line(n), label);
    for (int k = 0; k < 5; ++k) {
      canvas.TextOut(X(22 + 6 * k), line(n), std::to_string(k + 1));
      canvas.Rectangle({X(24 + 6 * k), line(n), X(26 + 6 * k), line(n + 1) - 20});
      canvas.TextOut(X(24 + 6 * k), line(n), f[static_cast<std::size_t>(k)] == 0 ? "V" : " ");
    }
    ++n;
  };
  const auto enable = [](std::uint8_t v) { return std::string(v == 0 ? "Enable" : "Disable"); };
  const auto tone = [](std::uint8_t v) { return std::string("Tone ") + "0123456789ABCDEF"[v < 15 ? v : 15]; };
  const auto encodeNo = [](std::uint8_t v) { return "ENC NO." + std::to_string(v < 7 ? v + 1 : 8); };
  const auto ms = [](std::uint8_t v) { return Printf("%4ld ms", v * 10L); };
  value("TAG Display", enable(c.tagDisplay));
  flags("Display Digit", c.displayDigit);
  value("ANI Display", enable(c.aniDisplay));
  flags("Compare Digit", c.compareDigit);
  value("Group Tone", tone(c.groupTone));
  value("Repeat Tone", tone(c.repeatTone));
  value("Auto Reset Beep", enable(c.autoResetBeep));
  value("PTT Call", enable(c.pttCall));
  value("Call 1 Encode Tone Code", encodeNo(c.call1EncodeCode));
  value("Call 2 Encode Tone Code", encodeNo(c.call2EncodeCode));
  value("Extended 1st tone", ms(c.extendedFirstTone));
  value("Lead in delay", ms(c.leadInDelay));
  value("Lead out delay", ms(c.leadOutDelay));
  value("Auto Reset", enable(c.autoReset));
  value("PTT SW AF Open", enable(c.pttSwAfOpen));
  const char* const monitor[] = {"Disable", "Close", "Open", "Both"};
  value("Monitor SW", monitor[c.monitorSw < 3 ? c.monitorSw : 3]);
  const char* const channel[] = {"Null", "Open", "Close"};
  value("Channel SW", channel[c.channelSw < 2 ? c.channelSw : 2]);
  const char* const ani[] = {"Both", "PTT pressed", "PTT released", "Disable"};
  value("ANI Transmission", ani[c.aniTransmission < 3 ? c.aniTransmission : 3]);
  const char* const table[] = {"ZVEI", "CCIR", "EEA", "EIA", "NATEL/User"};
  value("Call DEC/ENC Tone Table No", table[c.callToneTable < 4 ? c.callToneTable : 4]);
  value("Call Encode Tone No", std::to_string(c.callEncodeToneNo < 7 ? c.callEncodeToneNo + 1 : 8));
  flags("Decode Code", c.decodeCode);
}

void PrintFiveToneCodes(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CTablePen pen(canvas);
  const auto X = [&](int k) { return x0 + k * u; };
  const auto code = [](const FiveToneRow& r) {
    char text[8];
    std::snprintf(text, sizeof text, "%-5.5s", r.code);
    return std::string(text);
  };
  const auto tag = [](const FiveToneRow& r) {
    char text[16];
    std::snprintf(text, sizeof text, "%-8.8s", r.tag);
    return std::string(text);
  };
  const auto rows = [](const CFiveToneCodeTable& t, int count, const std::function<std::string(const FiveToneRow&)>& f) {
    std::vector<std::string> cells;
    for (int i = 0; i < count; ++i) cells.push_back(f(t.rows[static_cast<std::size_t>(i)]));
    return cells;
  };

  const CFiveToneCodeTable& enc = model.fiveToneEncode;
  canvas.TextOut(X(0), p + 2 * h, "5-Tone Encode");
  std::vector<std::string> labels;
  for (int i = 1; i <= kFiveToneRows; ++i) labels.push_back("Encode " + std::to_string(i));
  PrintColumn(canvas, X(0), X(14), 3, "", "", labels, h, p);
  PrintColumn(canvas, X(14), X(28), 3, "     Code", "", rows(enc, kFiveToneRows, code), h, p);
  PrintColumn(canvas, X(28), X(48), 3, "         Tag", "", rows(enc, kFiveToneRows, tag), h, p);
  PrintColumn(canvas, X(48), X(58), 3, "    Mute", "    Mode", rows(enc, kFiveToneRows, [](const FiveToneRow& r) {
                const char* const modes[] = {"Null ", "Open ", " Close", ""};
                return std::string(modes[r.EncodeMuteMode() & 3]);
              }), h, p);
  PrintColumn(canvas, X(58), X(66), 3, " Select", "", rows(enc, kFiveToneRows, [](const FiveToneRow& r) {
                return std::string(r.EncodeSelectFlag() == 0 ? "v" : "");
              }), h, p);
  PrintColumn(canvas, X(66), X(78), 3, "   1st", "   Ext", rows(enc, kFiveToneRows, [](const FiveToneRow& r) {
                return std::string(r.EncodeFirstToneFlag() == 0 ? "Enable" : "Disable");
              }), h, p);
  {
    const int top = p + 3 * h;
    canvas.Rectangle({X(78), top, X(93), top + 2 * h});
    canvas.TextOut(X(78), top, "   Input Digit");
    canvas.TextOut(X(78), top + h, "  1  2  3  4  5");
    for (int i = 0; i < kFiveToneRows; ++i)
      for (int k = 0; k < 5; ++k)
        Cell(canvas, X(78 + 3 * k), top + (2 + i) * h, X(81 + 3 * k), h,
             enc.rows[static_cast<std::size_t>(i)].EncodeDigitFlag(k) == 0 ? "v" : "");
  }

  const CFiveToneCodeTable& dec = model.fiveToneDecode;
  constexpr int kDecodeRows = 5;  // STUN, KILL and REVIVE have a code only
  canvas.TextOut(X(0), p + 14 * h, "5-Tone Decode");
  PrintColumn(canvas, X(0), X(14), 15, "", "",
              {"Decode 1", "Decode 2", "Decode 3", "Decode 4", "Decode 5", " STUN", "  KILL", " REVIVE"}, h, p);
  PrintColumn(canvas, X(14), X(28), 15, "     Code", "", rows(dec, kFiveToneRows, code), h, p);
  PrintColumn(canvas, X(28), X(48), 15, "         Tag", "", rows(dec, kDecodeRows, tag), h, p);
  {
    const int top = p + 15 * h;
    canvas.Rectangle({X(48), top, X(68), top + 2 * h});
    canvas.TextOut(X(48), top, "        Beep");
    canvas.TextOut(X(48), top + h, "    Tone     Mode");
    for (int i = 0; i < kDecodeRows; ++i) {
      const FiveToneRow& r = dec.rows[static_cast<std::size_t>(i)];
      const int tone = r.DecodeBeepTone();
      Cell(canvas, X(48), top + (2 + i) * h, X(58), h, tone == 7 ? "Disable" : std::string(1, static_cast<char>('A' + tone)));
      Cell(canvas, X(58), top + (2 + i) * h, X(68), h, r.DecodeBeepMode() == 0 ? "Repeat" : "Single");
    }
  }
  PrintColumn(canvas, X(68), X(78), 15, "   LED", "  Blink", rows(dec, kDecodeRows, [](const FiveToneRow& r) {
                return std::string(r.DecodeLedBlinkFlag() == 0 ? "Disable" : "Enable");
              }), h, p);
  PrintColumn(canvas, X(78), X(88), 15, "   PTT", "", rows(dec, kDecodeRows, [](const FiveToneRow& r) {
                return std::string(r.DecodePttFlag() == 0 ? "Enable" : "Disable");
              }), h, p);
}
