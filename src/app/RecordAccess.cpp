#include "app/RecordAccess.h"

#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

// Until the radio-information and group records carry these, the serial
// typed here is kept beside the record's own text and the channel words are
// reached in the image's group slots.
class CRecordAccess : public IRecordAccess {
public:
  std::string SerialText() const override {
    const std::string fromRecord = CurrentSerialText();
    return m_typed.empty() ? (fromRecord.empty() ? "00000000" : fromRecord) : m_typed;
  }
  void SetSerialText(const std::string& serial) override { m_typed = serial; }
  void ClearRecoverSerial() override {}
  void ForEachChannelReference(const std::function<void(std::uint16_t&)>& visit) override {
    if (g_pRadioImage == nullptr) return;
    for (int g = 0; g < kGroupCount; ++g) {
      std::uint8_t* p = g_pRadioImage + GroupOffset(g) + 6;
      std::uint16_t word = GetBE16(p);
      visit(word);
      PutBE16(p, word);
    }
  }

private:
  std::string m_typed;
};

}  // namespace

std::unique_ptr<IRecordAccess> MakeRecordAccess() { return std::make_unique<CRecordAccess>(); }
