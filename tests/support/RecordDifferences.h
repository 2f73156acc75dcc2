#pragma once
// Compares every record of a family model with another set, record by
// record, and names the first channel, group or record that differs; free of
// the test framework, so the fuzz targets use it too.
#include <string>

#include "model/FamilyModel.h"

inline const CFiveToneCodeRecord& ToneRecordOf(const MobileRecords& r) { return r.fiveToneCodes; }
inline const CFiveToneToneRecord& ToneRecordOf(const PortableRecords& r) { return r.fiveToneTones; }

// Empty when every record is the same.
template <class Records>
std::string RecordDifferences(const Records& a, const Records& b) {
  std::string differ;
  const auto note = [&differ](bool same, const std::string& name) {
    if (!same) differ += (differ.empty() ? "" : ", ") + name;
  };
  note(a.band == b.band, "band");
  note(a.global == b.global, "radio-wide");
  note(a.small == b.small, "home view");
  note(a.flag207 == b.flag207, "flag 207");
  note(a.openingMsg == b.openingMsg, "default split");
  note(a.dtmf == b.dtmf, "DTMF");
  note(a.keys == b.keys, "keys");
  note(a.radioInfo == b.radioInfo, "radio information");
  note(a.fiveToneCommon == b.fiveToneCommon, "5-Tone common");
  note(a.fiveToneEncode == b.fiveToneEncode, "5-Tone encode");
  note(a.fiveToneDecode == b.fiveToneDecode, "5-Tone decode");
  note(ToneRecordOf(a) == ToneRecordOf(b), "5-Tone tones");
  const std::size_t before = differ.size();
  for (int i = 0; i < kChannelCount; ++i)
    if (!(a.data.m_channels[i] == b.data.m_channels[i])) {
      note(false, "channel " + std::to_string(i + 1));
      break;
    }
  for (int g = 0; g < kGroupCount; ++g)
    if (!(a.data.m_groups[g] == b.data.m_groups[g])) {
      note(false, "group " + std::to_string(g + 1));
      break;
    }
  note(a.data.m_defaultGroup == b.data.m_defaultGroup, "Default column");
  note(a.data.m_adjust == b.data.m_adjust, "adjustment header");
  // The rest of the radio data: zones, texts, counts, tuning bytes.
  if (!(a.data == b.data) && differ.size() == before) note(false, "zones");
  return differ;
}
