// The executable's resources as the resource compiler made them: the
// wizard's template against its control table, the extraction dialog, the
// icon and the manifest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialog_template.h"
#include "app/resource_ids.h"
#include "wizard/wizard_controls.h"

namespace {

using ui_tests::DialogItem;
using ui_tests::DialogTemplate;
using ui_tests::LoadDialogTemplate;
using ui_tests::ResourceBytes;

struct TableRow {
  int id;
  const char* kind;
  const char* text;
  int x, y, width, height;
  bool visible, enabled, tabstop;
};

#define SK_TABLE_ROW(id, kind, text, x, y, width, height, visible, enabled, tabstop) \
  {id, #kind, text, x, y, width, height, visible != 0, enabled != 0, tabstop != 0},
constexpr TableRow kTable[] = {WIZARD_CONTROLS(SK_TABLE_ROW)};
#undef SK_TABLE_ROW

bool SameClass(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

// What each kind of control must be: its class and the style bits that make
// it that kind.
void ExpectKind(const DialogItem& item, const std::string& kind) {
  SCOPED_TRACE("control " + std::to_string(item.id) + " (" + kind + ")");
  const DWORD style = item.style;
  if (kind == "PUSH" || kind == "CHECK") {
    EXPECT_TRUE(SameClass(item.className, "Button")) << item.className;
    EXPECT_EQ(style & BS_TYPEMASK,
              static_cast<DWORD>(kind == "PUSH" ? BS_PUSHBUTTON : BS_AUTOCHECKBOX));
  } else if (kind == "LICENCE_EDIT") {
    EXPECT_TRUE(SameClass(item.className, "Edit")) << item.className;
    const DWORD wanted = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (ES_AUTOHSCROLL | WS_HSCROLL), 0u);
  } else if (kind == "PATH_EDIT") {
    EXPECT_TRUE(SameClass(item.className, "Edit")) << item.className;
    const DWORD wanted = ES_MULTILINE | ES_AUTOHSCROLL | WS_BORDER;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & ES_READONLY, 0u);
  } else if (kind == "PROGRESS") {
    EXPECT_TRUE(SameClass(item.className, PROGRESS_CLASSA)) << item.className;
  } else {
    EXPECT_TRUE(SameClass(item.className, "Static")) << item.className;
    const DWORD type = kind == "BLACK_LINE"    ? SS_BLACKFRAME
                       : kind == "ETCHED_LINE" ? SS_ETCHEDHORZ
                                               : SS_LEFT;  // texts and pictures
    EXPECT_EQ(style & SS_TYPEMASK, type);
  }
}

TEST(WizardTemplateTest, HasTheWindowOfTheWizard) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialogTemplate(IDD_INSTALL_WIZARD, dialog));
  EXPECT_EQ(dialog.width, 375);
  EXPECT_EQ(dialog.height, 228);
  EXPECT_EQ(dialog.caption, "Dialog");
  EXPECT_EQ(dialog.fontName, "MS Shell Dlg");
  EXPECT_EQ(dialog.pointSize, 8);
  const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT;
  EXPECT_EQ(dialog.style & wanted, wanted);
  EXPECT_EQ(dialog.style & WS_VISIBLE, 0u);
  EXPECT_EQ(dialog.exStyle & WS_EX_APPWINDOW, static_cast<DWORD>(WS_EX_APPWINDOW));
}

TEST(WizardTemplateTest, HoldsEveryControlOfTheTableInItsOrderAndState) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialogTemplate(IDD_INSTALL_WIZARD, dialog));
  ASSERT_EQ(dialog.items.size(), std::size(kTable));
  for (std::size_t i = 0; i < std::size(kTable); ++i) {
    const TableRow& row = kTable[i];
    const DialogItem& item = dialog.items[i];
    SCOPED_TRACE("row " + std::to_string(i) + ", control " + std::to_string(row.id));
    EXPECT_EQ(item.id, row.id);
    EXPECT_EQ(item.text, row.text);
    EXPECT_EQ(item.x, row.x);
    EXPECT_EQ(item.y, row.y);
    EXPECT_EQ(item.width, row.width);
    EXPECT_EQ(item.height, row.height);
    EXPECT_EQ((item.style & WS_CHILD) != 0, true);
    EXPECT_EQ((item.style & WS_VISIBLE) != 0, row.visible);
    EXPECT_EQ((item.style & WS_DISABLED) == 0, row.enabled);
    EXPECT_EQ((item.style & WS_TABSTOP) != 0, row.tabstop);
    ExpectKind(item, row.kind);
  }
}

TEST(WizardTemplateTest, TextsCarryRealLineBreaksAndTabs) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialogTemplate(IDD_INSTALL_WIZARD, dialog));
  for (const DialogItem& item : dialog.items) {
    EXPECT_EQ(item.text.find('\\'), std::string::npos) << "control " << item.id;
    if (item.id == 1033) {
      EXPECT_EQ(item.text, std::string("\x0A\x0A\x09License Agreement"));
    }
    if (item.id == 1023) {
      EXPECT_NE(item.text.find("update. \x0A\x0A\x0A"
                               "Click Next"),
                std::string::npos);
    }
  }
}

TEST(ExtractionTemplateTest, HasTheDialogAndItsThreeControls) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialogTemplate(IDD_EXEEXTRACTOR_DIALOG, dialog));
  EXPECT_EQ(dialog.width, 352);
  EXPECT_EQ(dialog.height, 56);
  EXPECT_EQ(dialog.caption, "Extracting Files Please Wait...");
  EXPECT_EQ(dialog.fontName, "MS Sans Serif");
  EXPECT_EQ(dialog.pointSize, 8);
  const DWORD wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  EXPECT_EQ(dialog.style & wanted, wanted);
  EXPECT_EQ(dialog.exStyle & WS_EX_APPWINDOW, static_cast<DWORD>(WS_EX_APPWINDOW));

  ASSERT_EQ(dialog.items.size(), 3u);
  const DialogItem& label = dialog.items[0];
  EXPECT_TRUE(SameClass(label.className, "Static"));
  EXPECT_EQ(label.text, "Extracting Files Please Wait...");
  EXPECT_EQ(label.x, 8);
  EXPECT_EQ(label.y, 14);
  EXPECT_EQ(label.width, 94);
  EXPECT_EQ(label.height, 8);

  const DialogItem& bar = dialog.items[1];
  EXPECT_EQ(bar.id, IDC_EXTRACT_PROGRESS);
  EXPECT_TRUE(SameClass(bar.className, PROGRESS_CLASSA));
  EXPECT_NE(bar.style & WS_BORDER, 0u);
  EXPECT_EQ(bar.x, 7);
  EXPECT_EQ(bar.y, 26);
  EXPECT_EQ(bar.width, 318);
  EXPECT_EQ(bar.height, 14);

  const DialogItem& percent = dialog.items[2];
  EXPECT_EQ(percent.id, IDC_EXTRACT_PERCENT);
  EXPECT_TRUE(SameClass(percent.className, "Static"));
  EXPECT_EQ(percent.text, "");
  EXPECT_EQ(percent.x, 329);
  EXPECT_EQ(percent.y, 27);
  EXPECT_EQ(percent.width, 19);
  EXPECT_EQ(percent.height, 15);
  for (const DialogItem& item : dialog.items) {
    EXPECT_NE(item.style & WS_VISIBLE, 0u) << "control " << item.id;
  }
}

TEST(ExecutableResourcesTest, IconHasBothSizes) {
  HICON big = static_cast<HICON>(::LoadImageA(
      ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 32, 32, 0));
  HICON small = static_cast<HICON>(::LoadImageA(
      ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  ::DestroyIcon(big);
  ::DestroyIcon(small);

  // The group lists a 32x32 and a 16x16 image of its own, not one scaled.
  const std::string group =
      ResourceBytes(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_GE(group.size(), 6u + 2 * 14u);
  EXPECT_EQ(group[4], 2);  // two entries
  EXPECT_EQ(static_cast<unsigned char>(group[6]), 32u);
  EXPECT_EQ(static_cast<unsigned char>(group[6 + 14]), 16u);
}

TEST(ExecutableResourcesTest, ManifestAsksForAdministratorAndCommonControls6) {
  const std::string manifest =
      ResourceBytes(MAKEINTRESOURCEA(24) /* RT_MANIFEST */, MAKEINTRESOURCEA(1));
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  // "*": the one manifest serves both runtimes; a 64-bit program whose
  // manifest asks for the x86 common controls is refused by the loader.
  EXPECT_NE(manifest.find("processorArchitecture=\"*\""), std::string::npos);
  EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
}

}  // namespace
