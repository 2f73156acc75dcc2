#include "framework/SettingsBinder.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QSignalBlocker>

#include "model/RadioImage.h"

namespace {

// The drop-down shows long choices whole even where the list is narrow.
void FitPopupWidth(QComboBox* combo) { combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0)); }

// A combo makes its drop-down list only when asked for it, and most lists
// are never opened: the width is set when the user first reaches for one.
class PopupWidthOnFirstUse : public QObject {
public:
  explicit PopupWidthOnFirstUse(QComboBox* combo) : QObject(combo) {
    setObjectName(kName);
    combo->installEventFilter(this);
  }
  static constexpr const char* kName = "rp58PopupWidth";

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::KeyPress) {
      watched->removeEventFilter(this);
      FitPopupWidth(static_cast<QComboBox*>(watched));
      deleteLater();
    }
    return false;
  }
};

void FitPopupWidthWhenOpened(QComboBox* combo) {
  if (combo->findChild<QAbstractItemView*>() != nullptr)
    FitPopupWidth(combo);
  else if (combo->findChild<QObject*>(PopupWidthOnFirstUse::kName, Qt::FindDirectChildrenOnly) == nullptr)
    new PopupWidthOnFirstUse(combo);
}

}  // namespace

void CSettingsBinder::Bind(BoundSetting setting) {
  QComboBox* combo = setting.combo;
  settings_.push_back(std::move(setting));
  // `activated` comes only from the user (mouse or keys), never from a refresh.
  QObject::connect(combo, &QComboBox::activated, combo, [this, combo](int row) { Store(combo, row); });
}

void CSettingsBinder::Clear() {
  for (const BoundSetting& s : settings_)
    if (s.combo != nullptr) QObject::disconnect(s.combo, &QComboBox::activated, s.combo, nullptr);
  settings_.clear();
}

void CSettingsBinder::Fill(const BoundSetting& s) {
  const QSignalBlocker block(s.combo);
  s.combo->clear();
  for (const Choice& c : s.choices) s.combo->addItem(QString::fromLatin1(c.text));
  FitPopupWidthWhenOpened(s.combo);
  s.combo->setCurrentIndex(s.fallbackRow);
}

void CSettingsBinder::Select(const BoundSetting& s) {
  const QSignalBlocker block(s.combo);
  s.combo->setCurrentIndex(RowOfChoice(s.choices, s.field.Get(), s.fallbackRow));
}

void CSettingsBinder::Refresh() const {
  for (const BoundSetting& s : settings_) {
    Fill(s);
    Select(s);
  }
}

const BoundSetting* CSettingsBinder::Find(const QComboBox* combo) const {
  for (const BoundSetting& s : settings_)
    if (s.combo == combo) return &s;
  return nullptr;
}

void CSettingsBinder::Reselect(const QComboBox* combo) const {
  if (const BoundSetting* s = Find(combo)) Select(*s);
}

void CSettingsBinder::SetGroupEnabled(int group, bool enabled) const {
  for (const BoundSetting& s : settings_)
    if (s.group == group) s.combo->setEnabled(enabled);
}

void CSettingsBinder::Store(const QComboBox* combo, int row) const {
  const BoundSetting* s = Find(combo);
  if (s == nullptr || row < 0 || static_cast<std::size_t>(row) >= s->choices.size()) return;
  s->field.Set(s->choices[static_cast<std::size_t>(row)].value);
  g_dataModified = true;
  // Two lists of one field never show different choices.
  for (const BoundSetting& other : settings_)
    if (&other != s && other.field == s->field) Select(other);
  if (s->afterStore) s->afterStore();
}
