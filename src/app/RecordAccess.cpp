#include "app/RecordAccess.h"

#include "model/RadioData.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

// Until the radio-information record can take a serial, the one typed here
// is kept beside the record's own text.
class CRecordAccess : public IRecordAccess {
public:
  std::string SerialText() const override {
    const std::string fromRecord = CurrentSerialText();
    return m_typed.empty() ? (fromRecord.empty() ? "00000000" : fromRecord) : m_typed;
  }
  void SetSerialText(const std::string& serial) override { m_typed = serial; }
  void ClearRecoverSerial() override {}
  void ForEachChannelReference(const std::function<void(std::uint16_t&)>& visit) override {
    RepeaterTable& repeaters = g_isPortable ? g_portableRepeaterTable : g_mobileRepeaterTable;
    GroupTable& groups = g_isPortable ? g_portableGroupTable : g_mobileGroupTable;
    for (auto& zone : repeaters)
      for (std::uint16_t& entry : zone) visit(entry);
    for (CGroupRecord& group : groups) visit(group.channelWord);
  }

private:
  std::string m_typed;
};

}  // namespace

std::unique_ptr<IRecordAccess> MakeRecordAccess() { return std::make_unique<CRecordAccess>(); }
