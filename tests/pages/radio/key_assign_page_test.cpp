#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ShownTexts.h"
#include "RadioPageFixture.h"
#include "model/DtmfData.h"
#include "pages/radio/RadioPages.h"

namespace {

class KeyAssignPage : public RadioPageFixture<CMobileKeyAssignPage, CPortableKeyAssignPage> {
protected:
  CKeyAssignPage& Page() const { return static_cast<CKeyAssignPage&>(*page); }
  QPushButton* Button(int k) const {
    return Control<QPushButton>(KeyPageLayoutOf(family).buttonIds[static_cast<std::size_t>(k)]);
  }
  QListWidget* List() const { return Control<QListWidget>(kKeyPickList); }
  QStringList ListItems() const {
    QStringList items;
    for (int i = 0; i < List()->count(); ++i) items << List()->item(i)->text();
    return items;
  }
  // Opens key k's list with a click, picks the row with the text by Enter.
  void Assign(int k, const char* function) {
    QTest::mouseClick(Button(k), Qt::LeftButton);
    const auto found = List()->findItems(QString::fromLatin1(function), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << function << " in " << ListItems().join(",").toStdString();
    List()->setCurrentItem(found[0]);
    QTest::keyClick(List(), Qt::Key_Return);
  }
  QStringList Captions() const {
    QStringList captions;
    for (int k = 0; k < kAssignableKeys; ++k) captions << Button(k)->text();
    return captions;
  }
  void Activate() {
    QApplication::setActiveWindow(&host);
    Settle();
  }
};

constexpr int kUpPress = 4, kUpHold = 10;

TEST_P(KeyAssignPage, DefaultsShowTheirFunctions) {
  const QStringList mobile = {"Monitor", "None", "None", "None", "Group Up", "Group Down",
                              "NSQ", "None", "None", "None", "Continuous group up", "Continuous group down"};
  const QStringList portable = {"Monitor", "Lighting", "None", "None", "None", "None",
                                "NSQ", "None", "None", "None", "None", "None"};
  EXPECT_EQ(Captions(), family == kMobile ? mobile : portable);
  for (int k = 0; k < kAssignableKeys; ++k) EXPECT_TRUE(Button(k)->isEnabled()) << k;
  EXPECT_NE(Control<QWidget>(kKeyPicture), nullptr);
  EXPECT_FALSE(List()->isVisible());
}

TEST_P(KeyAssignPage, ACodeFromAFileOutsideTheCatalogueShowsNothingAndItsListOpensOnNone) {
  ModelOf(family).keys.keyFunc = {32, 63, 79, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  ModelOf(family).keys.RebuildInUse();
  Refresh();
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Button(k)->text(), "") << k;
    QTest::mouseClick(Button(k), Qt::LeftButton);
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(List()->currentItem()->text(), "None");
  }
}

TEST_P(KeyAssignPage, EnterOpensAndChoosesTabClosesWithoutAChange) {
  Activate();
  Button(2)->setFocus();
  QTest::keyClick(Button(2), Qt::Key_Return);
  ASSERT_TRUE(List()->isVisible());
  EXPECT_EQ(Page().OpenKey(), 2);
  EXPECT_EQ(List()->currentItem()->text(), "None");
  // Below the button, twice as wide, three times as high.
  EXPECT_EQ(List()->geometry(), QRect(Button(2)->geometry().bottomLeft() + QPoint(0, 1),
                                      QSize(2 * Button(2)->width(), 3 * Button(2)->height())));
  List()->setCurrentRow(1);
  QTest::keyClick(List(), Qt::Key_Tab);
  EXPECT_FALSE(List()->isVisible());
  EXPECT_EQ(ModelOf(family).keys.keyFunc[2], 0);
  g_dataModified = 0;
  Assign(2, "Scan");
  EXPECT_FALSE(List()->isVisible());
  EXPECT_EQ(ModelOf(family).keys.keyFunc[2], 3);
  EXPECT_EQ(Button(2)->text(), "Scan");
  EXPECT_EQ(g_dataModified, 1);
  // Esc closes the mobile list; the portable one stays open.
  QTest::mouseClick(Button(3), Qt::LeftButton);
  QTest::keyClick(List(), Qt::Key_Escape);
  EXPECT_EQ(List()->isVisible(), family == kPortable);
}

TEST_P(KeyAssignPage, TabMovesOnFromTheFirstKeyAndStaysThere) {
  Activate();
  Assign(1, "Scan");  // closing the list sends the keyboard back to the first key
  QTest::qWait(2 * kKeyFocusWalkMs);
  ASSERT_TRUE(Button(0)->hasFocus());
  QTest::keyClick(Button(0), Qt::Key_Tab);
  EXPECT_TRUE(Button(1)->hasFocus());
  // Repaints and hovering start nothing that takes the focus back.
  page->repaint();
  QTest::mouseMove(Button(3));
  QTest::qWait(2 * kKeyFocusWalkMs);
  EXPECT_TRUE(Button(1)->hasFocus());
}

TEST_P(KeyAssignPage, APhoneKeyWithoutDialMemoryZeroIsRefusedAtSaveAndTheFileStaysAsItWas) {
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  if (family == kPortable) ModelOf(family).global.modelByte |= 0x20;  // a portable radio that can dial
  ASSERT_EQ(ModelOf(family).dtmf.DialMemoryDigitCount(kDialMemoryZero), 0);
  const auto before = ReadWholeFile(file);
  Assign(2, "Phone");
  EXPECT_EQ(Button(2)->text(), "Phone");
  messages.Answer(kMsgOk);
  EXPECT_FALSE(g_dataFile.SaveDataFile(file));
  ASSERT_FALSE(messages.texts().empty());
  EXPECT_EQ(messages.texts().back(), kPhoneKeyRefusal);
  EXPECT_EQ(ReadWholeFile(file), before);
}

// Keys typed from the radio's documentation: each 16-bit pair of key bytes
// (188-199) holds its two keys swapped, so key 0 is byte 189 and key 1 byte 188.
TEST_P(KeyAssignPage, ChosenFunctionsLandInTheirImageBytesThroughASavedFile) {
  struct Case {
    int key;
    const char* function;
    int imageByte;
    std::uint8_t code;
  } cases[] = {
      {1, "Scan", 188, 3},
      {2, "TX Low Power", 191, 5},
      {9, "Call 2", 196, 70},
      {11, "Continuous zone down", 198, 66},
      {0, "None", 189, 0},
  };
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  for (const Case& c : cases) Assign(c.key, c.function);
  ASSERT_TRUE(g_dataFile.SaveDataFile(file));
  ModelOf(family).keys.SetDefaults();
  Refresh();
  std::fill(g_pRadioImage, g_pRadioImage + kImageBufferSize, 0);
  ASSERT_EQ(g_dataFile.LoadDataFile(file, dir.path()), 1);
  Refresh();
  for (const Case& c : cases) {
    EXPECT_EQ(g_pRadioImage[c.imageByte], c.code) << c.function;
    EXPECT_EQ(Button(c.key)->text(), c.function) << c.function;
  }
}

// Each key's pick list shows its longest function ("Continuous zone down")
// whole, without a horizontal scroll bar.
TEST_P(KeyAssignPage, EveryPickListShowsItsRowsWhole) {
  for (int k = 0; k < kAssignableKeys; ++k) {
    if (Button(k) == nullptr || !Button(k)->isEnabled()) continue;
    QTest::mouseClick(Button(k), Qt::LeftButton);
    ASSERT_TRUE(List()->isVisible()) << k;
    EXPECT_EQ(CutListRows(List()), std::vector<std::string>{}) << "key " << k;
    QTest::keyClick(List(), Qt::Key_Escape);
  }
}

INSTANTIATE_TEST_SUITE_P(Families, KeyAssignPage, ::testing::Values(kMobile, kPortable), FamilyName);

using MobileKeyAssignPage = KeyAssignPage;

TEST_P(MobileKeyAssignPage, EmergencyTakesBothRowsAndIsThenOfferedOnlyWhereItIsHeld) {
  Assign(kUpPress, "Emergency");
  EXPECT_EQ(Button(kUpHold)->text(), "Emergency");
  EXPECT_FALSE(Button(kUpHold)->isEnabled());
  Assign(0, "None");
  Assign(kUpPress, "Monitor");
  EXPECT_TRUE(Button(kUpHold)->isEnabled());
  EXPECT_EQ(Button(kUpHold)->text(), "Emergency");
  for (int k = 0; k < kAssignableKeys; ++k) {
    QTest::mouseClick(Button(k), Qt::LeftButton);
    EXPECT_EQ(ListItems().contains("Emergency"), k == kUpHold) << k;
    QTest::keyClick(List(), Qt::Key_Escape);
  }
  // A click beside the list closes it.
  QTest::mouseClick(Button(2), Qt::LeftButton);
  QTest::mouseClick(page->Body(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_FALSE(List()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Mobile, MobileKeyAssignPage, ::testing::Values(kMobile), FamilyName);

}  // namespace
