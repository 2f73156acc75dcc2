#include "platform/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace {
IFileDialogSink* g_fileSink = nullptr;

bool RunDialog(const FileDialogRequest& request, bool save, std::string& path) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                     QString::fromStdString(request.folder));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  QStringList filters;
  for (const auto& f : request.filters) filters << QString::fromStdString(QtNameFilter(f));
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().first().toStdString();
  return true;
}
}  // namespace

void SetFileDialogSink(IFileDialogSink* sink) { g_fileSink = sink; }
IFileDialogSink* GetFileDialogSink() { return g_fileSink; }

bool ShowOpenFileDialog(const FileDialogRequest& request, std::string& path) {
  return g_fileSink != nullptr && g_fileSink->GetOpenFileName(request, path);
}

bool ShowSaveFileDialog(const FileDialogRequest& request, std::string& path) {
  return g_fileSink != nullptr && g_fileSink->GetSaveFileName(request, path);
}

bool QtFileDialogs::GetOpenFileName(const FileDialogRequest& request, std::string& path) {
  return RunDialog(request, false, path);
}

bool QtFileDialogs::GetSaveFileName(const FileDialogRequest& request, std::string& path) {
  return RunDialog(request, true, path);
}

void InstallQtFileDialogs() {
  static QtFileDialogs dialogs;
  SetFileDialogSink(&dialogs);
}

std::string QtNameFilter(const FileFilter& filter) {
  QStringList patterns;
  for (const QString& p : QString::fromStdString(filter.pattern).split(';', Qt::SkipEmptyParts)) {
    const QString t = p.trimmed();
    for (const QString& v : {t, t.toUpper(), t.toLower()})
      if (!patterns.contains(v)) patterns << v;
  }
  return (QString::fromStdString(filter.text) + QStringLiteral(" (") + patterns.join(' ') + QStringLiteral(")"))
      .toStdString();
}
