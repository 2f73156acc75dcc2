#include "app/RecordAccess.h"

#include "model/FamilyModel.h"

namespace {

class CRecordAccess : public IRecordAccess {
public:
  std::string SerialText() const override { return CurrentModel().radioInfo.serialText; }
  void SetSerialText(const std::string& serial) override { CurrentModel().radioInfo.serialText = serial; }
  // The adjustment-recover serial arrives with the recovery dialog; until
  // then there is nothing to clear.
  void ClearRecoverSerial() override {}
  void ForEachChannelReference(const std::function<void(std::uint16_t&)>& visit) override {
    auto& repeaters = CurrentModel().radioData.m_repeaters;
    auto& groups = CurrentModel().radioData.m_groups;
    for (auto& zone : repeaters)
      for (std::uint16_t& entry : zone) visit(entry);
    for (CGroupRecord& group : groups) visit(group.channelWord);
  }
};

}  // namespace

std::unique_ptr<IRecordAccess> MakeRecordAccess() { return std::make_unique<CRecordAccess>(); }
