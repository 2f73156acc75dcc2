#pragma once
// A main window whose print dialog answers with a PDF file, and helpers that
// read the printed PDF back with the poppler tools.
#include <QPageSize>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "MainDlgFixture.h"
#include "app/PrintDriver.h"

// Answers the print dialog: the next print goes to `path` on the paper
// given, or the dialog is cancelled when no path is set.
class PdfPrinterChooser : public IPrinterChooser {
public:
  PdfPrinterChooser() : previous_(GetPrinterChooser()) { SetPrinterChooser(this); }
  ~PdfPrinterChooser() override { SetPrinterChooser(previous_); }
  PdfPrinterChooser(const PdfPrinterChooser&) = delete;
  PdfPrinterChooser& operator=(const PdfPrinterChooser&) = delete;

  bool Choose(QPrinter& printer) override {
    ++asked;
    if (!path) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(*path));
    printer.setPageSize(QPageSize(paper));
    return true;
  }

  std::optional<std::string> path;
  QPageSize::PageSizeId paper = QPageSize::A4;
  int asked = 0;

private:
  IPrinterChooser* previous_;
};

// The standard output of a command.
inline std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

inline int PdfPages(const std::string& path) {
  const std::string info = CommandOutput("pdfinfo '" + path + "' 2>/dev/null");
  const auto at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// The text of one page (1-based), or of all pages with page 0.
inline std::string PdfText(const std::string& path, int page = 0) {
  const std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return CommandOutput("pdftotext -layout" + range + " '" + path + "' - 2>/dev/null");
}

class PrintTest : public MainDlgTest {
protected:
  // RP58_KEEP_PRINTS=<folder> keeps the printed PDFs there for a look.
  void TearDown() override {
    if (const char* keep = std::getenv("RP58_KEEP_PRINTS"))
      for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().extension() == ".pdf")
          std::filesystem::copy_file(entry.path(), std::filesystem::path(keep) / entry.path().filename(),
                                     std::filesystem::copy_options::overwrite_existing);
    MainDlgTest::TearDown();
  }

  // The window started with a data file of the family.
  void StartWith(Family family) {
    const std::string file = dir.File(family == kPortable ? "radio.P58" : "radio.K58");
    WriteDataFile(file, family);
    ASSERT_FALSE(Start({file}));
    ASSERT_EQ(g_isPortable, family == kPortable ? 1 : 0);
    msgs.clear();
  }
  std::string Pdf(const std::string& name) {
    const std::string path = dir.File(name);
    printer.path = path;
    return path;
  }
  PdfPrinterChooser printer;
};
