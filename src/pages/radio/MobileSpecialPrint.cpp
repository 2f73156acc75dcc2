// The Mobile Special table as printed: miscellaneous settings, the
// accessory connector's lines and its group switch table.
#include <string>

#include "model/GlobalRecordText.h"
#include "model/PrintTable.h"
#include "pages/radio/MobileSpecialPage.h"
#include "pages/radio/RadioPrints.h"

namespace {

std::string RowText(const CFamilyModel& model, const char* label) {
  for (const MobileSpecialRow& row : MobileSpecialRows())
    if (std::string(row.label) == label)
      return ChoiceText(row.choices, ValueOf(model.global, row.field), static_cast<int>(row.choices.size()) - 1);
  return {};
}

// A function code as the port's list shows it: a code no row of the side
// holds, and "Data mode" on any input but Port6's, show as "None".
std::string FunctionText(bool input, int port, std::uint8_t code) {
  if (input && code == kAccDataMode && port != kAccInputPort6) return "None";
  const std::string text = AccFunctionText(input, code);
  return text.empty() ? "None" : text;
}

}  // namespace

void PrintMobileSpecial(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CGlobalRecord& g = model.global;
  const CTablePen pen(canvas);
  canvas.StartPage();

  PrintCursor at{canvas, u, x0, h, p + 2 * h};
  at.Frame(0, 45, 5);
  at.Text(0, "Miscellaneous", 1);
  const std::pair<const char*, std::string> misc[] = {
      {"Ext. Mic. Sense", RowText(model, "Ext. Mic Sense")},
      {"Horn alert time", RowText(model, "Horn Alert Time")},
      {"Ignition sense", RowText(model, "Ignition Sense")},
      {"Af Min Vr", std::to_string(g.afMinVrLevel)},
  };
  for (const auto& [label, value] : misc) {
    at.Text(8, label);
    at.Value(26, 44, value);
  }

  at.y = p + 8 * h;
  at.Frame(0, 45, 7);
  at.Text(0, "DSUB-15 Port", 1);
  for (int k = 0; k < 6; ++k) {
    const mobile_special::AccLine& line = mobile_special::kLines[k];
    std::string direction = "---";
    std::string function = "---";
    if (line.inputPort >= 0 && g.accInput[static_cast<std::size_t>(line.inputPort)] != 0) {
      direction = "Input";
      function = FunctionText(true, line.inputPort, g.accInput[static_cast<std::size_t>(line.inputPort)]);
    } else if (line.outputPort >= 0 && g.accOutput[static_cast<std::size_t>(line.outputPort)] != 0) {
      direction = "Output";
      function = FunctionText(false, line.outputPort, g.accOutput[static_cast<std::size_t>(line.outputPort)]);
    }
    at.Text(8, "ACC" + std::to_string(k + 1));
    at.Value(16, 26, direction, 0);
    at.Value(27, 44, function);
  }

  at.y = p + 2 * h;
  at.Frame(55, 105, 10);
  at.Text(55, "DSUB-15 Group Switch Table", 1);
  at.Text(55, "Zone");
  at.Value(63, 73, model.radioData.GetZoneText(g.dsubZone));
  const auto groupText = [&](int position) {
    CPickedText picked;
    model.radioData.FillGroupCombo(picked, g.dsubZone, g.dsubGroup[static_cast<std::size_t>(position)]);
    return picked.Text();
  };
  for (int r = 0; r < 8; ++r) {
    at.Text(55, "#" + std::to_string(r));
    at.Value(63, 73, groupText(r), 0);
    at.Text(75, "#" + std::to_string(r + 8));
    at.Value(83, 93, groupText(r + 8));
  }
}
