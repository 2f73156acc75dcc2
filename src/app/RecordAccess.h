#pragma once
// What the main window changes in the records directly: the serial number it
// edits and the references it clears when an RF channel is deleted. Behind an
// interface so the main window can be tested with a fake.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IRecordAccess {
public:
  virtual ~IRecordAccess() = default;
  // The current family's radio-information serial text (8 characters).
  virtual std::string SerialText() const = 0;
  virtual void SetSerialText(const std::string& serial) = 0;
  // Clears the adjustment-recover serial, which a typed serial replaces.
  virtual void ClearRecoverSerial() = 0;
  // Visits every repeater entry and group channel word of the current family.
  virtual void ForEachChannelReference(const std::function<void(std::uint16_t&)>& visit) = 0;
};

// The program's records.
std::unique_ptr<IRecordAccess> MakeRecordAccess();
