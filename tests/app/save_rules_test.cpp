#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ScriptedMessages.h"
#include "app/ChannelReferences.h"
#include "app/SaveQuestion.h"
#include "app/SerialNumber.h"
#include "model/RadioImage.h"

namespace {
struct FakeSave : ISaveTarget {
  bool saves = true;
  int calls = 0;
  bool SaveFile() override {
    ++calls;
    return saves;
  }
  std::string FileLineText() const override { return "File:radio.K58"; }
};
}  // namespace

TEST(SaveQuestion, OutcomesKeepTheChangesUnlessSavedOrDropped) {
  struct Row {
    int answer;
    bool saveSucceeds;
    AfterNo afterNo;
    int result;
    int dirtyAfter;
    int saveCalls;
  };
  const Row rows[] = {
      {kIdNo, true, AfterNo::kDrop, 1, 0, 0},        // No: go on, changes dropped
      {kIdNo, true, AfterNo::kReplace, 1, 1, 0},     // No: go on, marked until the data is replaced
      {kIdYes, true, AfterNo::kDrop, 1, 0, 1},       // Yes, saved
      {kIdYes, true, AfterNo::kReplace, 1, 0, 1},    // Yes, saved
      {kIdYes, false, AfterNo::kDrop, 0, 1, 1},      // Yes, but the save was cancelled, refused or failed
      {kIdYes, false, AfterNo::kReplace, 0, 1, 1},
      {kIdCancel, true, AfterNo::kDrop, 0, 1, 0},    // Cancel
      {kIdCancel, true, AfterNo::kReplace, 0, 1, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.answer << " " << r.saveSucceeds << " " << static_cast<int>(r.afterNo));
    ScriptedMessages msgs;
    msgs.Answer(r.answer);
    FakeSave target;
    target.saves = r.saveSucceeds;
    g_dataModified = 1;
    EXPECT_EQ(ConfirmSaveChanges(target, r.afterNo), r.result);
    EXPECT_EQ(g_dataModified, r.dirtyAfter);
    EXPECT_EQ(target.calls, r.saveCalls);
    ASSERT_EQ(msgs.shown().size(), 1u);
    EXPECT_EQ(msgs.shown()[0].text, "Save changes to radio.K58?");
    EXPECT_EQ(msgs.shown()[0].style & 0x0F, kMsgYesNoCancel);
  }
  g_dataModified = 0;
}

TEST(SaveQuestion, NoQuestionWithoutChanges) {
  ScriptedMessages msgs;
  FakeSave target;
  g_dataModified = 0;
  EXPECT_EQ(ConfirmSaveChanges(target), 1);
  EXPECT_TRUE(msgs.shown().empty());
}

TEST(SerialNumber, EditOutcomes) {
  struct Row {
    const char* text;
    const char* stored;
    const char* newStored;
    bool valid;
    const char* restored;
  };
  const Row rows[] = {
      {"", "1B234567", "00000000", true, ""},
      {"0N01", "00000000", "0N010000", true, ""},
      {"0n01", "00000000", "0N010000", true, ""},
      {"7S123456", "00000000", "7S123456", true, ""},
      {"0A", "5C000001", "5C000001", false, "5"},    // A is no serial letter
      {"0O", "5C000001", "5C000001", false, "5"},    // nor O or P
      {"X", "5C000001", "5C000001", false, ""},
      {"1B2X", "1B200000", "1B200000", false, "1B2"},
  };
  for (const Row& r : rows) {
    const SerialEditResult res = ApplySerialEdit(r.text, r.stored);
    EXPECT_EQ(res.stored, r.newStored) << r.text;
    EXPECT_EQ(res.textValid, r.valid) << r.text;
    if (!r.valid) {
      EXPECT_EQ(res.restoredText, r.restored) << r.text;
    }
    EXPECT_EQ(res.clearRecoverSerial, r.valid && *r.text != '\0') << r.text;
  }
}

TEST(ChannelReferences, DeletingAChannelClearsOnlyItsReferences) {
  std::vector<std::uint16_t> words = {0x0005, 0x6005, 0xFC05, 0x0006, 0x0405, 0x03FF, 0x2045};
  for (auto& w : words) ClearChannelReference(w, 5);
  EXPECT_EQ(words, (std::vector<std::uint16_t>{0x03FF, 0x63FF, 0xFFFF, 0x0006, 0x07FF, 0x03FF, 0x2045}));
}
