#include "app/RomEditRoute.h"

#include <cxxabi.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <typeinfo>

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

constexpr RomEditHandler kPortableAsk = RomEditHandler::kOnRomEditKey;
constexpr RomEditHandler kMainAsk = RomEditHandler::kOnRomEditorCommand;

// Every page class with a handler; a class not listed ignores the key.
constexpr std::array kRomEditRows = {
    // The portable pages ask the portable configuration...
    RomEditRow{"CPortableGlobal1Page", kPortableAsk},
    RomEditRow{"CPortableGlobal2Page", kPortableAsk},
    RomEditRow{"CPortableDtmfAniPage", kPortableAsk},
    RomEditRow{"CPortableKeyAssignPage", kPortableAsk},
    RomEditRow{"CPortableConvGroupBasicPage", kPortableAsk},
    RomEditRow{"CPortableConvGroupAdvancedPage", kPortableAsk},
    RomEditRow{"CPortableLtrGroupAdvancedPage", kPortableAsk},
    RomEditRow{"CPortableRepeaterPage", kPortableAsk},
    RomEditRow{"CPortableSystemPage", kPortableAsk},
    RomEditRow{"CPortableLtrAdvancedPage", kPortableAsk},
    RomEditRow{"CPortableInterconnectPage", kPortableAsk},
    // ...except these two, which ask the mobile one like every mobile page.
    RomEditRow{"CPortableLtrGroupBasicPage", kMainAsk},
    RomEditRow{"CPortableRfChannelListPage", kMainAsk},
    RomEditRow{"CMobileGlobal1Page", kMainAsk},
    RomEditRow{"CMobileGlobal2Page", kMainAsk},
    RomEditRow{"CMobileSpecialPage", kMainAsk},
    RomEditRow{"CMobileKeyAssignPage", kMainAsk},
    RomEditRow{"CMobileDtmfAniPage", kMainAsk},
    RomEditRow{"CMobileConvGroupBasicPage", kMainAsk},
    RomEditRow{"CMobileConvGroupAdvancedPage", kMainAsk},
    RomEditRow{"CMobileLtrGroupBasicPage", kMainAsk},
    RomEditRow{"CMobileLtrGroupAdvancedPage", kMainAsk},
    RomEditRow{"CMobileRepeaterPage", kMainAsk},
    RomEditRow{"CMobileRfChannelListPage", kMainAsk},
    RomEditRow{"CMobileSystemPage", kMainAsk},
    RomEditRow{"CMobileLtrAdvancedPage", kMainAsk},
    RomEditRow{"CMobileInterconnectPage", kMainAsk},
    // Pages no tab ever shows keep the handler their class was given.
    RomEditRow{"CPortableKeyAssignSystemPage", kMainAsk},
    RomEditRow{"CBlankPage", kMainAsk},
};

}  // namespace

RomEditHandler RomEditHandlerOf(std::string_view pageClass) {
  for (const RomEditRow& row : kRomEditRows)
    if (row.pageClass == pageClass) return row.handler;
  return RomEditHandler::kNone;
}

std::string PageClassName(const CScrollablePage& page) {
  const char* mangled = typeid(page).name();
  int status = 0;
  const std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                    std::free);
  return status == 0 && name != nullptr ? std::string(name.get()) : std::string(mangled);
}

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
