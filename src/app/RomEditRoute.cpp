#include "app/RomEditRoute.h"

#include <cxxabi.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "app/PageTable.h"
#include "framework/ScrollablePage.h"
#include "model/ConfigFile.h"
#include "model/MessageBox.h"
#include "pages/PageBase.h"
#include "platform/Beep.h"

namespace {

struct RomEditRow {
  std::string_view pageClass;
  RomEditHandler handler;
};

// Page classes the page table lacks: no tab ever shows them, and they keep
// the handler their class was given. The page table's rows name the rest.
constexpr std::array kUntabbedRows = {
    RomEditRow{"CPortableKeyAssignSystemPage", RomEditHandler::kOnRomEditorCommand},
    RomEditRow{"CBlankPage", RomEditHandler::kOnRomEditorCommand},
};

std::string ClassName(const std::type_info& type) {
  const char* mangled = type.name();
  int status = 0;
  const std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                    std::free);
  return status == 0 && name != nullptr ? std::string(name.get()) : std::string(mangled);
}

}  // namespace

RomEditHandler RomEditHandlerOf(std::string_view pageClass) {
  for (int i = 0; i < kPageSlotCount; ++i) {
    const auto slot = static_cast<PageSlot>(i);
    if (ClassName(PageClass(slot)) == pageClass) return PageRomEditHandler(slot);
  }
  for (const RomEditRow& row : kUntabbedRows)
    if (row.pageClass == pageClass) return row.handler;
  return RomEditHandler::kNone;
}

std::string PageClassName(const CScrollablePage& page) { return ClassName(typeid(page)); }

void AskRomEditor(const CConfigFileBase& config, IMainDialog* main) {
  if (!config.HasFactoryFile()) {
    MessageBeep();
    ShowMessageBox("ROM Editor can't be carried out\n");
    return;
  }
  if (main != nullptr) main->OnRomEdit();
}

void OnRomEditKey() { AskRomEditor(g_portableConfig, g_pMainDlg); }
void OnRomEditorCommand() { AskRomEditor(g_config, g_pMainDlg); }

void RunPageRomEditCommand(CScrollablePage& page) {
  switch (RomEditHandlerOf(PageClassName(page))) {
    case RomEditHandler::kOnRomEditKey: OnRomEditKey(); break;
    case RomEditHandler::kOnRomEditorCommand: OnRomEditorCommand(); break;
    case RomEditHandler::kNone: break;
  }
}
