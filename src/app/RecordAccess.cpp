#include "app/RecordAccess.h"

#include "model/RadioData.h"
#include "model/RadioImage.h"
#include "model/RadioInfoRecord.h"

namespace {

Family CurrentFamily() { return g_isPortable ? kPortable : kMobile; }

class CRecordAccess : public IRecordAccess {
public:
  std::string SerialText() const override { return RadioInfoOf(CurrentFamily()).serialText; }
  void SetSerialText(const std::string& serial) override { RadioInfoOf(CurrentFamily()).serialText = serial; }
  // The adjustment-recover serial arrives with the recovery dialog; until
  // then there is nothing to clear.
  void ClearRecoverSerial() override {}
  void ForEachChannelReference(const std::function<void(std::uint16_t&)>& visit) override {
    RepeaterTable& repeaters = g_isPortable ? g_portableRepeaterTable : g_mobileRepeaterTable;
    GroupTable& groups = g_isPortable ? g_portableGroupTable : g_mobileGroupTable;
    for (auto& zone : repeaters)
      for (std::uint16_t& entry : zone) visit(entry);
    for (CGroupRecord& group : groups) visit(group.channelWord);
  }
};

}  // namespace

std::unique_ptr<IRecordAccess> MakeRecordAccess() { return std::make_unique<CRecordAccess>(); }
