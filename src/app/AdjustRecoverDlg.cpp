#include "app/AdjustRecoverDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <cstring>

#include "app/OpenDataFile.h"
#include "framework/EditControls.h"
#include "model/FamilyModel.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"
#include "platform/Beep.h"

CAdjustRecoverDlg::CAdjustRecoverDlg(std::function<bool(const std::string&)> loadFile, QWidget* parent)
    : CCloneDlg(parent), m_loadFile(std::move(loadFile)) {
  SetDirection(kCloneRead);
  m_title->setText(QStringLiteral("R e c o v e r"));
  // The serial entry takes a whole serial number: a digit, a letter, digits.
  m_serial->m_inputMode = 6;
  m_serial->setMaxLength(8);
  // Nothing has moved yet: the transfer shows the counter and the bar when it
  // first sets them.
  m_counter->hide();
  m_progress->hide();
  for (QPushButton* button : {m_start, m_cancelButton, m_ok}) button->setAutoDefault(true);
  connect(m_serial, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (RecoverSerialAccepted(text.toStdString())) {
      m_acceptedSerial = text.toUpper();
      if (text != m_acceptedSerial) m_serial->setText(m_acceptedSerial);
      return;
    }
    MessageBeep();
    m_serial->setText(m_acceptedSerial);
  });
}

QLineEdit* CAdjustRecoverDlg::SerialEntry() const { return m_serial; }

std::optional<std::string> CAdjustRecoverDlg::AskSerial(const std::string& serial) {
  m_acceptedSerial = RecoverSerialAccepted(serial) ? QString::fromStdString(serial) : QString();
  // The entry shows the record's serial; what is typed replaces it.
  const std::optional<std::string> entered = AskSerialNumber(m_acceptedSerial.toStdString());
  if (!entered) return std::nullopt;
  return m_acceptedSerial.toStdString();
}

CCloneDlg::Job CAdjustRecoverDlg::MakeJob(CCloneLink& link) {
  m_layout = CurrentCloneLayout();
  RecoverHooks model;
  model.loadDataFile = m_loadFile;
  model.askDataFile = [] { return AskOpenDataFile({kMobileDataFilter}); };
  model.programImage = [](std::vector<std::uint8_t>& image, std::array<std::uint8_t, kAdjustCopySize>& adjust) {
    image.assign(g_pRadioImage, g_pRadioImage + kImageSize);
    adjust = g_adjustCopy;
  };
  model.serialText = [] { return g_mobileModel.radioInfo.serialText; };
  model.askSerial = [this](const std::string& serial) { return AskSerial(serial); };
  m_dataPacked = false;
  model.pack = [this](const std::optional<std::string>& serial) {
    if (serial) g_mobileModel.radioInfo.serialText = *serial;
    if (PackScreensToImage(g_pRadioImage) == 0) return false;
    g_mobileData.StoreAdjustmentData(g_adjustCopy.data());
    if (serial) g_mobileModel.radioInfo.PackSerial(g_adjustCopy.data());
    m_dataPacked = true;
    return true;
  };
  // The data model, its questions and the serial entry belong to this thread.
  m_hooks = {};
  m_hooks.loadDataFile = OnGuiThreadHook(model.loadDataFile);
  m_hooks.askDataFile = OnGuiThreadHook(model.askDataFile);
  m_hooks.programImage = OnGuiThreadHook(model.programImage);
  m_hooks.serialText = OnGuiThreadHook(model.serialText);
  m_hooks.askSerial = OnGuiThreadHook(model.askSerial);
  m_hooks.pack = OnGuiThreadHook(model.pack);
  m_recover = std::make_unique<CAdjustRecover>(link, m_layout, m_hooks);
  Job job;
  job.run = [this] { return m_recover->Run(); };
  job.completedText = "Adjustment Recover is completed.";
  return job;
}
