#pragma once
// What every settings page is to the main window: one object for the whole
// run, whose window exists only while its tab shows it. Showing a page runs
// its OnInitDialog, which fills the controls from the records again.
#include <QWidget>
#include <cstdint>

class CSettingsPage : public QWidget {
public:
  explicit CSettingsPage(int templateId, QWidget* parent = nullptr);
  int TemplateId() const { return m_templateId; }

  // The main window creates and destroys the page's window with these.
  bool CreatePage(QWidget* parent);
  void DestroyPage();
  bool HasWindow() const { return m_hasWindow; }

protected:
  // Fills the controls from the records; runs on every creation.
  virtual void OnInitDialog() {}

private:
  int m_templateId;
  bool m_hasWindow = false;
};

// A page that shows zones from a first one, set before its window is made.
class CFirstSystemPageBase : public CSettingsPage {
public:
  using CSettingsPage::CSettingsPage;
  void SetFirstSystem(std::uint8_t zone) { m_firstSystem = zone; }
  std::uint8_t FirstSystem() const { return m_firstSystem; }

protected:
  std::uint8_t m_firstSystem = 0;
};

// Set by the portable Global 1 page when its model changes; read and
// cleared by the main window when it rebuilds the tabs.
extern int g_portableModelChange;
// Set while the Key Assignment page is being printed as a screen picture.
extern int g_printingKeyPage;

// The main window as the pages reach it.
class IMainDialog {
public:
  virtual ~IMainDialog() = default;
  // 1 = go on (saved or not wanted), 0 = stop; asks only when data changed.
  virtual int ConfirmSaveChanges() = 0;
  // Opens the memory editor (the caller has checked the factory file).
  virtual void OnRomEdit() = 0;
  // The window that takes the pages' user messages.
  virtual QWidget* Window() = 0;
};
extern IMainDialog* g_pMainDlg;
