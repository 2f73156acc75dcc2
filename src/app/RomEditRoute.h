#pragma once
// Shift+F9 (command 32774): which memory-editor handler each page class runs.
// The two handlers differ only in the configuration they ask whether the
// factory file was found: OnRomEditKey the portable one, OnRomEditorCommand
// (and the main window) the mobile one. Each page class's handler is a column
// of its page table row; the class name finds the row.
#include <string>
#include <string_view>

class CConfigFileBase;
class CScrollablePage;
class IMainDialog;

enum class RomEditHandler : int {
  kNone,                // the page ignores the key (the 5-Tone pages)
  kOnRomEditKey,        // asks g_portableConfig
  kOnRomEditorCommand,  // asks g_config
};

RomEditHandler RomEditHandlerOf(std::string_view pageClass);
// The class name of a page object ("CMobileGlobal1Page").
std::string PageClassName(const CScrollablePage& page);

// Without the configuration's factory file: a beep and "ROM Editor can't be
// carried out\n"; otherwise the main window opens the editor (or leaves the
// open one alone).
void AskRomEditor(const CConfigFileBase& config, IMainDialog* main);
void OnRomEditKey();
void OnRomEditorCommand();
// Runs the page's handler from the table; what a page does with Shift+F9.
void RunPageRomEditCommand(CScrollablePage& page);
