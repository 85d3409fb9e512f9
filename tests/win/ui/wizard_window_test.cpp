// The wizard's window for real: its controls bound and dressed when it
// opens, the control surface, its colours, the notice label's fitting, the
// pictures, and which user actions reach the page logic.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/wizard_window/wizard_window.h"
#include "wizard/control_ids.h"
#include "wizard_harness.h"

namespace {

using namespace wizard;
using ui_tests::ScriptedWizard;
using ui_tests::TempFile;
using ui_tests::TwoColourBitmap;

class WizardWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ui_tests::GuiTestsEnabled()) GTEST_SKIP() << "SETUPKIT_GUI_TESTS not set";
  }
  HWND Item(int id) { return ::GetDlgItem(window.GetSafeHwnd(), id); }

  // What the window answers to a colour query of control `id`.
  struct Colours {
    HBRUSH brush;
    COLORREF back;
    COLORREF text;
    int mode;
  };
  Colours Query(int id, UINT message) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetBkMode(dc, TRANSPARENT);
    const LRESULT brush =
        ::SendMessageA(window.GetSafeHwnd(), message, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Item(id)));
    Colours colours{reinterpret_cast<HBRUSH>(brush), ::GetBkColor(dc), ::GetTextColor(dc),
                    ::GetBkMode(dc)};
    ::DeleteDC(dc);
    return colours;
  }
  static COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH logical{};
    ::GetObjectA(brush, sizeof logical, &logical);
    return logical.lbColor;
  }
  // Posts a WM_COMMAND as the control itself would send it.
  void PostCommand(int id, int code) {
    ::PostMessageA(window.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                   reinterpret_cast<LPARAM>(Item(id)));
  }
  COLORREF PixelOf(int id, int x, int y) {
    HDC dc = ::GetDC(Item(id));
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(Item(id), dc);
    return colour;
  }

  wizard_window::WizardWindow window;
  ScriptedWizard wizard;
};

TEST_F(WizardWindowTest, OpensWithPicturesOwnerDrawnAndTheTitleFontOnFiveControls) {
  const INT_PTR result = wizard.Run(window, [&] {
    for (int id : {kSideBanner, kLogoPicture}) {
      EXPECT_EQ(::GetWindowLongPtrA(Item(id), GWL_STYLE) & SS_TYPEMASK, SS_OWNERDRAW) << id;
    }
    HFONT title = reinterpret_cast<HFONT>(::SendMessageA(Item(kWelcomeTitle), WM_GETFONT, 0, 0));
    LOGFONTA font{};
    ASSERT_EQ(::GetObjectA(title, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    for (int id : {kUnusedInstallingTitle, kHeaderTitle, kUnusedLocationTitle, kFinishTitle}) {
      EXPECT_EQ(::SendMessageA(Item(id), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(title)) << id;
    }
    EXPECT_NE(::SendMessageA(Item(kWelcomeGuide), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(title));
  });
  EXPECT_EQ(result, IDOK);
}

TEST_F(WizardWindowTest, ControlSurfaceReachesTheControls) {
  wizard.Run(window, [&] {
    window.Show(kLicenceText, true);
    EXPECT_TRUE(::GetWindowLongPtrA(Item(kLicenceText), GWL_STYLE) & WS_VISIBLE);
    window.Show(kSideBanner, false);
    EXPECT_FALSE(::GetWindowLongPtrA(Item(kSideBanner), GWL_STYLE) & WS_VISIBLE);
    window.Enable(kBackButton, true);
    EXPECT_TRUE(::IsWindowEnabled(Item(kBackButton)));
    window.Enable(kNextButton, false);
    EXPECT_FALSE(::IsWindowEnabled(Item(kNextButton)));

    window.SetText(kHeaderTitle, "\n\n\tInstallation Location");
    EXPECT_EQ(window.GetText(kHeaderTitle), "\n\n\tInstallation Location");
    const std::string longPath(400, 'x');
    window.SetText(kPathBox, longPath);
    EXPECT_EQ(window.GetText(kPathBox), longPath);
    EXPECT_EQ(window.GetText(4711), "");

    window.SetCheck(kAcceptBox, true);
    EXPECT_TRUE(window.GetCheck(kAcceptBox));
    window.SetCheck(kAcceptBox, false);
    EXPECT_FALSE(window.GetCheck(kAcceptBox));

    window.SetProgress(kProgressBar, 42);
    EXPECT_EQ(::SendMessageA(Item(kProgressBar), PBM_GETPOS, 0, 0), 42);

    window.SetCaption("Quill Writer 1.0 Setup");
    char caption[64] = {};
    ::GetWindowTextA(window.GetSafeHwnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Quill Writer 1.0 Setup");

    window.GreyCloseCommand();
    const UINT state =
        ::GetMenuState(::GetSystemMenu(window.GetSafeHwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);
  });
}

TEST_F(WizardWindowTest, PaintsStaticsHeaderAndLicenceInTheirColoursWithOneBrushEach) {
  wizard.Run(window, [&] {
    const Colours label = Query(kDestinationLabel, WM_CTLCOLORSTATIC);
    EXPECT_EQ(label.back, RGB(240, 244, 250));
    EXPECT_EQ(label.text, RGB(0, 0, 0));
    EXPECT_EQ(label.mode, OPAQUE);
    EXPECT_EQ(BrushColour(label.brush), RGB(240, 244, 250));
    // A check box, a plain static and a disabled coloured edit: the same
    // colours and the very same brush.
    for (int id : {kAcceptBox, kLicencePrompt, kPathBox}) {
      const Colours other = Query(id, WM_CTLCOLORSTATIC);
      EXPECT_EQ(other.back, RGB(240, 244, 250)) << id;
      EXPECT_EQ(other.brush, label.brush) << id;
    }

    const Colours header = Query(kHeaderTitle, WM_CTLCOLORSTATIC);
    EXPECT_EQ(header.back, RGB(245, 247, 253));
    EXPECT_EQ(header.mode, OPAQUE);
    EXPECT_EQ(BrushColour(header.brush), RGB(245, 247, 253));

    window.SetBackColor(kLicenceText, RGB(255, 0, 0));  // the wizard's white wins
    const Colours licence = Query(kLicenceText, WM_CTLCOLORSTATIC);
    EXPECT_EQ(licence.back, RGB(255, 255, 255));
    EXPECT_EQ(BrushColour(licence.brush), RGB(255, 255, 255));
    EXPECT_EQ(Query(kLicenceText, WM_CTLCOLORSTATIC).brush, licence.brush);
  });
}

TEST_F(WizardWindowTest, ColouredStaticAnswersWhereTheWizardKeepsItsColours) {
  // An enabled edit box asks as an edit, which the wizard leaves to the
  // control's own answer: reflection reached the coloured static.
  const auto check = [&] {
    window.SetBackColor(kRequiredSpaceValue, RGB(244, 245, 249));
    const Colours value = Query(kRequiredSpaceValue, WM_CTLCOLOREDIT);
    EXPECT_EQ(value.back, RGB(244, 245, 249));
    EXPECT_EQ(BrushColour(value.brush), RGB(244, 245, 249));
    // The control leaves the background mode alone.
    EXPECT_EQ(value.mode, TRANSPARENT);
    // A plain static asked the same gets the system's answer instead.
    EXPECT_NE(BrushColour(Query(kLicencePrompt, WM_CTLCOLOREDIT).brush), RGB(244, 245, 249));
  };
  wizard.Run(window, check);
  // The same window object runs again: the controls are bound anew.
  wizard.Run(window, check);
}

TEST_F(WizardWindowTest, FitsTheNoticeLabelToItsText) {
  wizard.Run(window, [&] {
    HWND label = Item(kNoticeLabel);
    const auto rectOf = [&] {
      RECT rect{};
      ::GetWindowRect(label, &rect);
      ::MapWindowPoints(nullptr, window.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
      return rect;
    };
    const RECT before = rectOf();
    // The label's own font, measured as the window measures it.
    const auto expectedWidth = [&](const std::string& text) {
      HDC dc = ::GetDC(label);
      HGDIOBJ old =
          ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(label, WM_GETFONT, 0, 0)));
      TEXTMETRICA metrics{};
      ::GetTextMetricsA(dc, &metrics);
      SIZE extent{};
      ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      ::SelectObject(dc, old);
      ::ReleaseDC(label, dc);
      return extent.cx + metrics.tmAveCharWidth + 40 - before.left;
    };

    for (const std::string& text :
         {std::string("Quill Writer 1.0"), std::string("-N-A-"), std::string(120, 'W')}) {
      window.SetText(kNoticeLabel, text);
      window.FitNoticeLabel();
      const RECT after = rectOf();
      EXPECT_EQ(after.left, before.left) << text;
      EXPECT_EQ(after.top, before.top) << text;
      EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << text;
      EXPECT_EQ(after.right - after.left, expectedWidth(text)) << text;
    }
    // The long text reaches past the window's right edge, as fitted.
    RECT client{};
    ::GetClientRect(window.GetSafeHwnd(), &client);
    EXPECT_GT(rectOf().right, client.right);
  });
}

TEST_F(WizardWindowTest, DrawsALoadedPictureStretchedAndReplacesItOnTheNextLoad) {
  const TempFile redBlue("red_blue.bmp", TwoColourBitmap(64, 8, RGB(255, 0, 0), RGB(0, 0, 255)));
  const TempFile green("green.bmp", TwoColourBitmap(64, 8, RGB(0, 160, 0), RGB(0, 160, 0)));
  wizard.Run(
      window, [&] { EXPECT_TRUE(window.LoadImageFile(kSideBanner, redBlue.path())); },
      [&] {
        RECT client{};
        ::GetClientRect(Item(kSideBanner), &client);
        ::UpdateWindow(window.GetSafeHwnd());
        const int y = client.bottom / 2;
        EXPECT_EQ(PixelOf(kSideBanner, client.right / 8, y), RGB(255, 0, 0));
        EXPECT_EQ(PixelOf(kSideBanner, client.right * 7 / 8, y), RGB(0, 0, 255));
        // Stretched over the whole control, from its top left corner to far
        // below the image's own 8 rows. (GDI+ smooths the image's far edges
        // with what lies outside it, so those are not compared.)
        EXPECT_EQ(PixelOf(kSideBanner, 1, 1), RGB(255, 0, 0));
        EXPECT_EQ(PixelOf(kSideBanner, client.right / 8, client.bottom * 3 / 4), RGB(255, 0, 0));

        EXPECT_TRUE(window.LoadImageFile(kSideBanner, green.path()));
        EXPECT_EQ(PixelOf(kSideBanner, client.right * 7 / 8, y), RGB(0, 160, 0));
      });
}

// The setup program holds each staged file open for writing, sharing only
// reads, so that no other program can change it; its own pictures must
// still load from such a file.
TEST_F(WizardWindowTest, LoadsAPictureThatIsHeldOpenForWriting) {
  const TempFile image("held.bmp", TwoColourBitmap(8, 8, RGB(255, 0, 0), RGB(255, 0, 0)));
  const HANDLE held =
      ::CreateFileA(image.path().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  wizard.Run(window, [&] {
    EXPECT_TRUE(window.LoadImageFile(kSideBanner, image.path())) << ::GetLastError();
  });
  ::CloseHandle(held);
}

TEST_F(WizardWindowTest, PictureLoadFailuresReportWhyAndLeaveThePictureEmpty) {
  const TempFile image("image.bmp", TwoColourBitmap(8, 8, RGB(255, 0, 0), RGB(255, 0, 0)));
  const TempFile empty("empty.bmp", "");
  wizard.Run(
      window,
      [&] {
        EXPECT_FALSE(window.LoadImageFile(kSideBanner, image.path() + ".missing"));
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_FALSE(window.LoadImageFile(kLicencePrompt, image.path()));
        EXPECT_TRUE(window.LoadImageFile(kLogoPicture, image.path()));
        EXPECT_FALSE(window.LoadImageFile(kLogoPicture, ""));  // the old image goes too
        // An empty file loads, and decodes to nothing when painted.
        EXPECT_TRUE(window.LoadImageFile(kSideBanner, empty.path()));
      },
      [&] {
        ::UpdateWindow(window.GetSafeHwnd());
        EXPECT_NE(PixelOf(kSideBanner, 10, 10), RGB(255, 0, 0));
        window.Show(kLogoPicture, true);
        ::UpdateWindow(window.GetSafeHwnd());
        EXPECT_NE(PixelOf(kLogoPicture, 10, 10), RGB(255, 0, 0));
      });
}

TEST_F(WizardWindowTest, ReportsButtonsPathEditsAndCloseButNeverEndsOnEscOrEnter) {
  const INT_PTR result = wizard.Run(
      window,
      [&] {
        window.Enable(kBackButton, true);
        PostCommand(IDCANCEL, BN_CLICKED);  // Esc
        PostCommand(IDOK, BN_CLICKED);      // Enter
        PostCommand(kNextButton, BN_CLICKED);
        PostCommand(kBackButton, BN_CLICKED);
        PostCommand(kAcceptBox, BN_CLICKED);
        PostCommand(kBrowseButton, BN_CLICKED);
        PostCommand(kPathBox, EN_CHANGE);
        PostCommand(kLicenceText, EN_CHANGE);  // served by nothing
        PostCommand(kUnusedStatic, BN_CLICKED);
        PostCommand(kCancelButton, BN_CLICKED);
        ::PostMessageA(window.GetSafeHwnd(), WM_CLOSE, 0, 0);
        ::PostMessageA(window.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
      },
      [&] { EXPECT_TRUE(::IsWindowVisible(window.GetSafeHwnd())); });
  EXPECT_EQ(result, IDOK);  // ended by the harness, nothing else
  const std::vector<std::string> expected = {"init",   "next", "back",  "accept",
                                             "browse", "path", "close", "close"};
  EXPECT_EQ(wizard.log, expected);
}

TEST_F(WizardWindowTest, EndWizardReturnsItsResultFromRun) {
  wizard.endWhenDone = false;
  EXPECT_EQ(wizard.Run(window, [&] { window.EndWizard(DialogResult::Cancel); }), IDCANCEL);
}

}  // namespace
