#pragma once
// Template 233 "RP58", title "R e c o v e r": adjustment data recovery of a
// mobile radio, run like a clone transfer (Start, status lines, block
// counter, Esc to stop), with its own serial-number entry of 8 characters.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/CloneDlg.h"
#include "link/AdjustRecover.h"

class CAdjustRecoverDlg : public CCloneDlg {
  Q_OBJECT
public:
  // `loadFile` loads a data file as the program's data (true when loaded).
  explicit CAdjustRecoverDlg(std::function<bool(const std::string& path)> loadFile, QWidget* parent = nullptr);

  QLineEdit* SerialEntry() const;
  // Whether the recovery ended by writing the program's data (the radio's
  // saved file, with its serial) to the radio: the data is then the radio's.
  bool SentTheData() const { return m_dataPacked && Result() == kTransferDone; }

  // Outside the transfer Enter presses the focused button and Esc cancels,
  // as in any dialog; the read and send keep both from their buttons.
  bool PreviewKey(QKeyEvent* event) override { return TransferKey(event); }

protected:
  Job MakeJob(CCloneLink& link) override;

private:
  std::optional<std::string> AskSerial(const std::string& serial);

  std::function<bool(const std::string&)> m_loadFile;
  CloneLayout m_layout;
  RecoverHooks m_hooks;
  std::unique_ptr<CAdjustRecover> m_recover;
  QString m_acceptedSerial;
  bool m_dataPacked = false;
};
