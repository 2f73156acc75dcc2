#pragma once
// What the pages share with the main window: the flags it reads, the way the
// pages reach it, and the base of the pages that show zones from a first one.
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <string>

#include "framework/GridPage.h"

// The template size, in dialog units, of a page that has no controls yet.
inline constexpr QSize kEmptyPageSize{400, 240};

// A grid page that shows zones from a first one, set before its window is
// made. Five zone columns: the first lies in 0..27 whatever the caller hands
// over. Its arrows step it (StepZone); a held arrow's steps move it as well.
class CFirstSystemPageBase : public CGridPage {
public:
  explicit CFirstSystemPageBase(int templateId, QSize templateSize = kEmptyPageSize, int fontPoints = 8)
      : CGridPage(templateId, templateSize, fontPoints) {}
  void SetFirstSystem(int zone) { m_firstSystem = zone < 0 ? 0 : zone > kLastFirstSystem ? kLastFirstSystem : zone; }
  int FirstSystem() const { return m_firstSystem; }

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

  static constexpr int kLastFirstSystem = 27;

protected:
  int FirstShownItem() const override { return m_firstSystem; }
  // An arrow's click: beeps and shows the zones `delta` further on.
  void StepZone(int delta);

  int m_firstSystem = 0;

private:
  void ShowFromZone(int zone);
};

// Set by the portable Global 1 page when its model changes; read and
// cleared by the main window when it rebuilds the tabs.
extern bool g_portableModelChange;
// Set while the Key Assignment page is being printed as a screen picture.
extern bool g_printingKeyPage;

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
  // F1 in a page's dialog: the help of the focused control's identifier
  // (9, 0 or less: the help topics).
  virtual void ShowHelp(int /*controlId*/) {}
  // Shows a help page of the program's help folder (F1 on a page that has one).
  virtual void ShowHelpPage(const std::string& fileName) { (void)fileName; }
};
extern IMainDialog* g_pMainDlg;

// Posts a page's navigation message to the main window (to the page's own
// window when there is none): posted, because the main window takes the
// sending page's window down when it opens the next page.
void PostToMainWindow(QWidget* page, unsigned msg, WParam wParam, LParam lParam);
