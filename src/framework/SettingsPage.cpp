#include "framework/SettingsPage.h"

CSettingsPage::CSettingsPage(Family family, int templateId, QSize templateSize, int fontPoints)
    : CScrollablePage(templateId, templateSize, nullptr, fontPoints), family_(family) {}

bool CSettingsPage::OnInitDialog() {
  CScrollablePage::OnInitDialog();
  closing_ = false;
  bold_ = font();
  bold_.setWeight(QFont::Bold);
  binder_.Clear();
  BuildRows();
  RefreshFromData();
  return true;
}

void CSettingsPage::BuildRows() {
  CSettingsForm form(*this, bold_, metrics_);
  for (const FamilyBox& box : boxes_) {
    if (box.column.x >= 0) form.Column(box.column.x, box.column.y, box.column.width);
    if (box.heading != nullptr) form.BeginGroup(box.id, box.heading);
    for (const FamilyRow& row : rows_) {
      if (row.box != box.box) continue;
      if (row.kind != 0) {
        BuildCustomRow(row, form);
        continue;
      }
      auto* combo = form.Row<QComboBox>(row.labelId, row.label, row.id, row.hidden);
      BindChoice(combo, row);
    }
    if (box.heading != nullptr) form.EndGroup();
  }
}

void CSettingsPage::BindChoice(QComboBox* combo, const FamilyRow& row, std::function<void()> afterStore) {
  binder_.Bind({combo, row.choices, row.fallback, row.field(), row.group, std::move(afterStore)});
}

void CSettingsPage::RefreshFromData() {
  if (HasWindow()) binder_.Refresh();
}

void CSettingsPage::OnDestroyWindow() {
  closing_ = true;
  binder_.Clear();
}

void CSettingsPage::showEvent(QShowEvent* event) {
  CScrollablePage::showEvent(event);
  if (!closing_) RefreshFromData();
}

void CSettingsPage::hideEvent(QHideEvent* event) {
  CScrollablePage::hideEvent(event);
  if (!closing_) RefreshFromData();
}
