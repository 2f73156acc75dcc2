#pragma once
// Template 235 "File Convert": shows the chosen source file and the family
// it becomes; "Convert" accepts, "Cancel" rejects.
#include <QDialog>
#include <optional>
#include <string>

#include "model/RadioImage.h"

class QComboBox;
class QLineEdit;

namespace file_convert {
inline constexpr int kSource = 1830;
inline constexpr int kTarget = 1829;
}  // namespace file_convert

// Asks for the source file ("Select file", folder "Data", either family's
// files). nullopt when cancelled, or after "Problem opening file" for a name
// of neither family. The working folder is kept.
std::optional<std::string> AskConvertSource();

class CFileConvertDlg : public QDialog {
  Q_OBJECT
public:
  CFileConvertDlg(const std::string& source, Family sourceFamily, QWidget* parent = nullptr);
  QComboBox* TargetList() const { return m_target; }
  QLineEdit* SourceEdit() const { return m_source; }

private:
  QLineEdit* m_source;
  QComboBox* m_target;
};
