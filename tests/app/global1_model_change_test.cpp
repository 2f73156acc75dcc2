// The Global 1 page inside the real main window: a MODEL choice of the other
// family switches the program to that family and, at timer 2, shows that
// family's Global 1 page with the chosen model.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QCoreApplication>
#include <sys/stat.h>

#include "MainDlgFixture.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/MessageBox.h"
#include "pages/radio/Global1Page.h"

namespace {

class Global1InMainDlg : public MainDlgTest {
protected:
  void LayOutDefaultFiles() {
    ::mkdir(dir.File("Data").c_str(), 0755);
    for (const char* name :
         {kDefaultMobileUhfFile, kDefaultMobileVhfFile, kDefaultPortableUhfFile, kDefaultPortableVhfFile})
      WriteWholeFile(dir.File(name), ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/" + name));
  }
  QComboBox* ModelCombo(int id) {
    auto& page = dlg->Pages().Page(g_isPortable ? PageSlot::kPortableGlobal1 : PageSlot::kMobileGlobal1);
    return page.HasWindow() ? FindControl<QComboBox>(page.Body(), id) : nullptr;
  }
};

TEST_F(Global1InMainDlg, AModelOfTheOtherFamilySwitchesFamilyAndPageInBothDirections) {
  LayOutDefaultFiles();
  ASSERT_FALSE(Start());
  ASSERT_EQ(ShownSlot(), PageSlot::kMobileGlobal1);
  struct Step {
    int combo, row;
    Family family;
    PageSlot page;
    const char* modelLine;
  } steps[] = {
      {1026, 3, kPortable, PageSlot::kPortableGlobal1, "TP-741A(VHF)"},
      {16501, 1, kMobile, PageSlot::kMobileGlobal1, "TM-6600-KR3B-50(VHF)"},
  };
  for (const Step& s : steps) {
    QComboBox* model = ModelCombo(s.combo);
    ASSERT_NE(model, nullptr);
    model->setCurrentIndex(s.row);
    emit model->activated(s.row);
    Settle();
    EXPECT_EQ(g_isPortable, s.family == kPortable ? 1 : 0);
    EXPECT_EQ(dlg->ModelLine().toStdString(), s.modelLine);
    EXPECT_FALSE(dlg->TabBar()->isEnabled());
    EXPECT_TRUE(msgs.texts().empty());
    ASSERT_TRUE(dlg->ModelTimer().isActive());
    dlg->OnModelTimer();
    Settle();
    EXPECT_EQ(ShownSlot(), s.page);
    EXPECT_EQ(ModelCombo(s.page == PageSlot::kPortableGlobal1 ? 16501 : 1026)->currentIndex(), s.row);
    EXPECT_EQ(dlg->ModelLine().toStdString(), s.modelLine);
    EXPECT_EQ(g_portableModelChange, 0);
  }
}

// The box a model change shows stays open longer than timer 2's half second:
// the timer runs inside it, as it does while a technician reads the box.
class TimerRunsInsideTheBox : public IMessageSink {
public:
  explicit TimerRunsInsideTheBox(CMainDlg& dlg) : dlg_(dlg), previous_(GetMessageSink()) { SetMessageSink(this); }
  ~TimerRunsInsideTheBox() override { SetMessageSink(previous_); }
  int Show(const std::string& text, const std::string&, unsigned) override {
    texts.push_back(text);
    if (dlg_.ModelTimer().isActive()) dlg_.OnModelTimer();
    return kIdOk;
  }
  std::vector<std::string> texts;

private:
  CMainDlg& dlg_;
  IMessageSink* previous_;
};

TEST_F(Global1InMainDlg, WithoutTheDefaultFileTheOtherFamilysPageShowsItsResetRecords) {
  ASSERT_FALSE(Start());  // no Data/ folder: the default files are missing
  ASSERT_EQ(ShownSlot(), PageSlot::kMobileGlobal1);
  // The portable records hold something other than their defaults.
  ModelOf(kPortable).global.emergencyKeyOptions = 0;  // "Scan Beep" off
  TimerRunsInsideTheBox boxes(*dlg);
  QComboBox* model = ModelCombo(1026);
  ASSERT_NE(model, nullptr);
  model->setCurrentIndex(3);
  emit model->activated(3);
  Settle();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0].rfind("Problem opening file", 0), 0u);
  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"Global 1", "Global 2", "Key Assignment", "RF Ch. List",
                                                     "Zone", "DTMF ANI", "5-Tone"}));
  ASSERT_EQ(ShownSlot(), PageSlot::kPortableGlobal1);
  // The page shown is the data now held: the records' defaults, the chosen model.
  auto& page = dlg->Pages().Page(PageSlot::kPortableGlobal1);
  EXPECT_EQ(ModelOf(kPortable).global.emergencyKeyOptions & 0x04, 0x04);
  EXPECT_EQ(FindControl<QComboBox>(page.Body(), 1656)->currentText(), "Enable");
  EXPECT_EQ(FindControl<QComboBox>(page.Body(), 1674)->currentText(), "Enable");
  EXPECT_EQ(ModelCombo(16501)->currentIndex(), 3);
}

TEST_F(Global1InMainDlg, TheSaveQuestionKnowsAnLedTimeStillBeingTyped) {
  LayOutDefaultFiles();
  ASSERT_FALSE(Start());
  auto& page = dlg->Pages().Page(PageSlot::kMobileGlobal1);
  auto* led = FindControl<QLineEdit>(page.Body(), global1::kLedOffTime);
  ASSERT_NE(led, nullptr);
  QApplication::setActiveWindow(dlg.get());
  led->setFocus();
  led->selectAll();
  QTest::keyClicks(led, "300");
  // Closing the window, opening a file or changing the model asks first: the
  // typed time is part of the changes it asks about.
  msgs.Answer(kIdCancel);
  EXPECT_EQ(dlg->ConfirmSaveChanges(), 0);
  EXPECT_EQ(msgs.texts().size(), 1u);
  EXPECT_EQ(ModelOf(kMobile).global.ledOffTime, 30);
  EXPECT_EQ(g_dataModified, 1);
}

}  // namespace
