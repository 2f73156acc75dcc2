#pragma once
// The per-zone LTR advanced and interconnect pages of both families: a
// "Default" column and five zone columns over the 32 zones of the family's
// model, opened from the zone table and closed back to it at the same first
// zone. One grid page implementation; the pages differ by their lines
// (ZoneSettingsLines.h), their template and what greys a zone's column.
#include <QPointer>
#include <array>
#include <vector>

#include "framework/GridBinder.h"
#include "model/RadioImage.h"
#include "pages/PageBase.h"
#include "pages/zone/ZoneSettingsLines.h"

class QLabel;

// Control numbers the pages' own code refers to.
namespace zone_settings_page {
inline constexpr int kPrevZone = 1079;
inline constexpr int kNextZone = 1080;
inline constexpr int kInterconnect = 1119;
inline constexpr int kClose = 1211;
inline constexpr int kHeading = 1434;
inline constexpr std::array<int, 5> kHeaders = {1081, 1082, 1083, 1084, 1085};
}  // namespace zone_settings_page

// Where a page's frame goes, in dialog units of its template.
struct ZoneGridFrame {
  const char* heading;
  int defaultX;      // the Default column; zone columns follow every 45
  int headY;
  int headHeight;
  int captionWidth;
  int prevX;
  int nextX;
  int nextWidth;
  int closeX;
};

class CZoneSettingsPage : public CFirstSystemPageBase {
public:
  Family PageFamily() const { return family_; }

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  CZoneSettingsPage(Family family, int templateId, const ZoneGridFrame& frame);

  // The page's lines; their Default fields point into the page object.
  virtual std::vector<ZoneSettingsLine> Lines() = 0;
  // Whether a zone in use can be edited on this page.
  virtual bool ZoneKindEditable(int zone) const = 0;
  // The page's own controls besides the grid, and their buttons.
  virtual void BuildOwnControls() {}
  virtual bool IsOwnButton(int) const { return false; }
  virtual void OnOwnButton(int) {}

  void BuildGrid() override;
  void OnDestroyWindow() override;

  // Beeps and asks the main window for another page.
  void Navigate(unsigned msg, LParam lParam);

private:
  int X(int column) const { return column < 0 ? frame_.defaultX : frame_.defaultX + 45 * (column + 1); }
  QRect FixedListPlace(int column) const;
  void UpdateHeads();
  EditOutcome OnEdited(const ZoneSettingsLine& l, int item, const QString& text);
  QString EditText(const ZoneSettingsLine& l, int item) const;

  Family family_;
  ZoneGridFrame frame_;
  std::vector<ZoneSettingsLine> lines_;
  std::array<QPointer<QLabel>, 5> headers_;
};

class CLtrAdvancedPageBase : public CZoneSettingsPage {
public:
  // The Default column's record; it lives as long as the page object.
  LtrAdvancedDefaults& Defaults() { return defaults_; }

protected:
  CLtrAdvancedPageBase(Family family, int templateId);
  std::vector<ZoneSettingsLine> Lines() override;
  bool ZoneKindEditable(int zone) const override;
  void BuildOwnControls() override;
  bool IsOwnButton(int id) const override { return id == zone_settings_page::kInterconnect; }
  void OnOwnButton(int id) override;

private:
  LtrAdvancedDefaults defaults_;
};
class CMobileLtrAdvancedPage : public CLtrAdvancedPageBase {
public:
  CMobileLtrAdvancedPage() : CLtrAdvancedPageBase(kMobile, 167) {}
};
class CPortableLtrAdvancedPage : public CLtrAdvancedPageBase {
public:
  CPortableLtrAdvancedPage() : CLtrAdvancedPageBase(kPortable, 116) {}
};

class CInterconnectPageBase : public CZoneSettingsPage {
public:
  InterconnectDefaults& Defaults() { return defaults_; }

protected:
  CInterconnectPageBase(Family family, int templateId);
  std::vector<ZoneSettingsLine> Lines() override;
  bool ZoneKindEditable(int) const override { return true; }

private:
  InterconnectDefaults defaults_;
};
class CMobileInterconnectPage : public CInterconnectPageBase {
public:
  CMobileInterconnectPage() : CInterconnectPageBase(kMobile, 168) {}
};
class CPortableInterconnectPage : public CInterconnectPageBase {
public:
  CPortableInterconnectPage() : CInterconnectPageBase(kPortable, 117) {}
};
