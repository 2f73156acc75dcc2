#include "app/FileConvertDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/OpenDataFile.h"
#include "app/DialogButtons.h"
#include "model/FileConvert.h"
#include "model/MessageBox.h"
#include "platform/Beep.h"
#include "platform/ControlIds.h"

std::optional<std::string> AskConvertSource() {
  MessageBeep();
  std::optional<std::string> name =
      AskOpenDataFile({{"RP58 TM-6600LTR Files (*.K58)", "*.K58"}, {"RP58 TP-730A LTR Files (*.P58)", "*.P58"}});
  if (name && ConvertSourceFamily(*name) == kUnknownFamily) {
    ShowMessageBox("Problem opening file\n    " + *name + "\n\n   Press any key");
    return std::nullopt;
  }
  return name;
}

CFileConvertDlg::CFileConvertDlg(const std::string& source, Family sourceFamily, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("File Convert"));
  auto* column = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("File Convert"), this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  column->addWidget(heading);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Source"), this), 0, 0);
  m_source = new QLineEdit(QString::fromStdString(source), this);
  SetControlId(m_source, file_convert::kSource);
  m_source->setReadOnly(true);
  m_source->setMinimumWidth(320);
  grid->addWidget(m_source, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Target"), this), 1, 0);
  m_target = new QComboBox(this);
  SetControlId(m_target, file_convert::kTarget);
  m_target->addItem(sourceFamily == kPortable ? QStringLiteral("TM-6600LTR (Mobile)")
                                              : QStringLiteral("TP-730A LTR (Portable)"));
  m_target->setCurrentIndex(0);
  grid->addWidget(m_target, 1, 1);
  column->addLayout(grid);

  QDialogButtonBox* buttons = AddDialogButtons(this, column);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Convert"));
}
