// Controls made from a table in a caption window, their state and their events on the real
// user32 and comctl32.
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win_test_support.h"

namespace glint {
namespace {

using wintest::DrainDecoded;
using Events = std::vector<Event>;

struct Row {
  int number;
  ControlKind kind;
  const char* caption;
  bool groupStart;
  const char* className;
  LONG typeMask;
  LONG typeBits;
  bool tabStop;
  bool group;
};

constexpr LONG kListMask = LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
constexpr LONG kListBits = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr Row kRows[] = {
    {301, ControlKind::kLabel, "Icon size", false, "Static", SS_TYPEMASK | SS_NOTIFY, SS_LEFT,
     false, true},
    {302, ControlKind::kRadioButton, "Small", true, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, true,
     true},
    {303, ControlKind::kRadioButton, "Medium", false, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON,
     false, false},
    {304, ControlKind::kCheckBox, "Lines", false, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX, true,
     true},
    // After a box: a group of its own, though not marked as one.
    {305, ControlKind::kRadioButton, "Left", false, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, true,
     true},
    {306, ControlKind::kRadioButton, "Right", false, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON,
     false, false},
    {307, ControlKind::kRadioButton, "Top", true, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, true,
     true},
    {308, ControlKind::kButton, "Save", false, "Button", BS_TYPEMASK, BS_PUSHBUTTON, true, true},
    {309, ControlKind::kTrackbar, "", false, TRACKBAR_CLASSA, TBS_VERT, TBS_HORZ, true, true},
    {310, ControlKind::kListView, "", false, WC_LISTVIEWA, kListMask, kListBits, true, true},
};
constexpr int kRowHeight = 24;

// Refuses every window about to be created, as a system out of handles would.
LRESULT CALLBACK RefuseCreation(int code, WPARAM, LPARAM) {
  return code == HCBT_CREATEWND ? 1 : 0;
}

// Window 2: a caption window holding the controls of kRows, in that order, all in font 3.
class ControlsTest : public wintest::ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    ASSERT_TRUE(toolkit_.CreateNumberedFont(3, "Tahoma", 8, 400, 96));
    ASSERT_TRUE(toolkit_.CreateCaptionWindow(2, "Drives and Icons", 320, 320, 0));
    std::vector<ControlDef> defs;
    for (const Row& row : kRows) {
      ControlDef def;
      def.number = row.number;
      def.kind = row.kind;
      def.x = 10;
      def.y = 8 + kRowHeight * static_cast<int>(defs.size());
      def.width = 140;
      def.height = row.kind == ControlKind::kListView ? 60 : 20;
      def.caption = row.caption;
      def.font = 3;
      def.tooltip = row.number == 304 ? "Draw the lines" : "";
      def.groupStart = row.groupStart;
      def.rangeMin = 10;
      def.rangeMax = 255;
      defs.push_back(def);
    }
    ASSERT_TRUE(toolkit_.CreateControls(2, defs));
  }

  std::string ItemText(int row, int column) {
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(Control(310), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
};

TEST_F(ControlsTest, TableMakesTheControlsInKeyboardOrder) {
  int index = 0;
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.number);
    HWND hwnd = Control(row.number);
    ASSERT_NE(hwnd, nullptr);
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    EXPECT_EQ(lstrcmpiA(className, row.className), 0) << className;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & row.typeMask, row.typeBits);
    EXPECT_EQ((style & WS_TABSTOP) != 0, row.tabStop);
    EXPECT_EQ((style & WS_GROUP) != 0, row.group);
    EXPECT_EQ(GetDlgCtrlID(hwnd), row.number);
    EXPECT_EQ(toolkit_.ControlText(row.number), row.caption);
    if (row.kind != ControlKind::kTrackbar) {  // a trackbar has no text, nor a font
      EXPECT_EQ(reinterpret_cast<void*>(SendMessageA(hwnd, WM_GETFONT, 0, 0)),
                toolkit_.NativeFont(3));
    }
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, Window(2), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 8 + kRowHeight * index++);
  }
  const LRESULT listStyle = SendMessageA(Control(310), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(listStyle & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(SendMessageA(static_cast<HWND>(toolkit_.NativeTooltip(2)), TTM_GETTOOLCOUNT, 0, 0), 1);

  // The dialog manager's tab order: the tab stops, in creation order.
  std::vector<int> order;
  HWND first = GetNextDlgTabItem(Window(2), nullptr, FALSE);
  for (HWND at = first; at != nullptr && order.size() < 20;) {
    order.push_back(GetDlgCtrlID(at));
    at = GetNextDlgTabItem(Window(2), at, FALSE);
    if (at == first) break;
  }
  EXPECT_EQ(order, (std::vector<int>{302, 304, 305, 307, 308, 309, 310}));

  // One more that Windows refuses: the table reports it, and the trace tells which and why.
  wintest::DebugLines trace;
  HHOOK refuse = SetWindowsHookExA(WH_CBT, &RefuseCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(refuse, nullptr);
  ControlDef extra;
  extra.number = 311, extra.kind = ControlKind::kCheckBox, extra.width = 20, extra.height = 20;
  EXPECT_FALSE(toolkit_.CreateControls(2, std::span(&extra, 1)));
  UnhookWindowsHookEx(refuse);
  EXPECT_FALSE(toolkit_.ControlExists(311));
  ASSERT_EQ(trace.Lines().size(), 1u);
  EXPECT_EQ(trace.Lines()[0].rfind(
                "Glintbox: CreateWindowExA failed (control 311 of window 2), error ", 0),
            0u)
      << trace.Lines()[0];
}

TEST_F(ControlsTest, StateFollowsTheCallsAndRadioGroupsStaySeparate) {
  toolkit_.EnableControl(308, false);
  EXPECT_FALSE(IsWindowEnabled(Control(308)));
  toolkit_.EnableControl(308, true);
  EXPECT_TRUE(IsWindowEnabled(Control(308)));
  toolkit_.ShowControl(304, false);
  EXPECT_FALSE(GetWindowLongA(Control(304), GWL_STYLE) & WS_VISIBLE);
  toolkit_.SetControlText(308, "Saved");
  EXPECT_EQ(toolkit_.ControlText(308), "Saved");
  toolkit_.SetControlChecked(304, true);
  EXPECT_TRUE(toolkit_.IsControlChecked(304));
  EXPECT_EQ(SendMessageA(Control(304), BM_GETCHECK, 0, 0), BST_CHECKED);
  toolkit_.SetControlChecked(304, false);
  EXPECT_FALSE(toolkit_.IsControlChecked(304));

  toolkit_.SetControlChecked(306, true);
  toolkit_.SetControlChecked(307, true);
  const int radios[] = {302, 303, 305, 306, 307};
  const struct {
    int select;
    bool checked[5];
  } steps[] = {
      {303, {false, true, false, true, true}},
      {302, {true, false, false, true, true}},
      {305, {true, false, true, false, true}},
      {307, {true, false, true, false, true}},
  };
  for (const auto& step : steps) {
    toolkit_.SelectRadioButton(step.select);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(toolkit_.IsControlChecked(radios[i]), step.checked[i])
          << "select " << step.select << ", button " << radios[i];
  }
}

TEST_F(ControlsTest, ClicksTickBoxesAndSelectWithinTheGroup) {
  toolkit_.SelectRadioButton(302);
  toolkit_.SelectRadioButton(305);
  PostMessageA(Control(304), BM_CLICK, 0, 0);
  EXPECT_EQ(DrainDecoded(toolkit_), Events{Event::Control(304)});
  EXPECT_TRUE(toolkit_.IsControlChecked(304));

  PostMessageA(Control(306), BM_CLICK, 0, 0);
  EXPECT_EQ(DrainDecoded(toolkit_), Events{Event::Control(306)});
  EXPECT_TRUE(toolkit_.IsControlChecked(306));
  EXPECT_FALSE(toolkit_.IsControlChecked(305));
  EXPECT_TRUE(toolkit_.IsControlChecked(302));  // another group
}

TEST_F(ControlsTest, TrackbarKeepsItsRangeAndReportsEveryMove) {
  HWND trackbar = Control(309);
  EXPECT_EQ(toolkit_.TrackbarPos(309), 10);
  EXPECT_EQ(SendMessageA(trackbar, TBM_GETRANGEMAX, 0, 0), 255);
  toolkit_.SetTrackbarPos(309, 100);
  EXPECT_EQ(toolkit_.TrackbarPos(309), 100);
  toolkit_.SetTrackbarPos(309, 999);
  EXPECT_EQ(toolkit_.TrackbarPos(309), 255);
  toolkit_.SetTrackbarRange(309, 0, 50);
  EXPECT_EQ(SendMessageA(trackbar, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(toolkit_.TrackbarPos(309), 50);
  EXPECT_EQ(DrainDecoded(toolkit_), Events{});  // the program's own moves raise nothing

  toolkit_.SetTrackbarPos(309, 20);
  const struct {
    WPARAM key;
    int position;
  } keys[] = {{VK_RIGHT, 21}, {VK_LEFT, 20}, {VK_END, 50}, {VK_HOME, 0}};
  for (const auto& key : keys) {
    PostMessageA(trackbar, WM_KEYDOWN, key.key, 1);
    EXPECT_EQ(DrainDecoded(toolkit_), Events{Event::Control(309, kControlScrolled)});
    EXPECT_EQ(toolkit_.TrackbarPos(309), key.position);
  }

  // Held down, an arrow key queues a repeat after another: they come as one movement.
  for (int i = 0; i < 5; ++i) PostMessageA(trackbar, WM_KEYDOWN, VK_RIGHT, 1);
  PostMessageA(Window(2), WM_CLOSE, 0, 0);
  EXPECT_EQ(DrainDecoded(toolkit_),
            (Events{Event::Control(309, kControlScrolled), Event::Close(2)}));
  EXPECT_EQ(toolkit_.TrackbarPos(309), 5);

  const struct {
    WPARAM code;
    HWND from;
    Events expected;
  } scrolls[] = {
      {TB_THUMBTRACK, trackbar, {Event::Control(309, kControlScrolled)}},
      {TB_ENDTRACK, trackbar, {Event::Control(309, kControlScrolled)}},
      {SB_LINEDOWN, nullptr, {}},       // the window's own scroll bar
      {TB_ENDTRACK, Control(310), {}},  // not a trackbar
  };
  for (const auto& scroll : scrolls) {
    PostMessageA(Window(2), WM_HSCROLL, scroll.code, reinterpret_cast<LPARAM>(scroll.from));
    EXPECT_EQ(DrainDecoded(toolkit_), scroll.expected);
  }
}

TEST_F(ControlsTest, ListRowsAreDrawnInTheirOwnColours) {
  const ListColumn columns[] = {{"Drive", 60}, {"Label", 120}};
  toolkit_.SetListColumns(310, columns);
  HWND list = Control(310);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 60);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 120);
  const Color red = MakeColor(255, 0, 0), black = 0, blue = MakeColor(0, 0, 255),
              yellow = MakeColor(255, 255, 0);
  const std::string_view first[] = {"C:", "System"};
  const std::string_view second[] = {"D:", "Data"};
  EXPECT_EQ(toolkit_.AddListRow(310, first, red, black), 0);
  EXPECT_EQ(toolkit_.AddListRow(310, second, blue, yellow), 1);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(ItemText(1, 0), "D:");
  EXPECT_EQ(ItemText(1, 1), "Data");
  EXPECT_EQ(ItemText(0, 1), "System");

  // As the list view asks its parent while it paints.
  const auto customDraw = [&](DWORD stage, DWORD_PTR row, NMLVCUSTOMDRAW& draw) {
    draw = {};
    draw.nmcd.hdr.hwndFrom = list;
    draw.nmcd.hdr.idFrom = 310;
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = stage;
    draw.nmcd.dwItemSpec = row;
    draw.clrText = draw.clrTextBk = CLR_DEFAULT;
    return SendMessageA(Window(2), WM_NOTIFY, 310, reinterpret_cast<LPARAM>(&draw));
  };
  const struct {
    DWORD stage;
    DWORD_PTR row;
    LRESULT result;
    COLORREF text;
    COLORREF back;
  } cases[] = {
      {CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW, CLR_DEFAULT, CLR_DEFAULT},
      {CDDS_ITEMPREPAINT, 1, CDRF_NEWFONT, blue, yellow},
      {CDDS_ITEMPREPAINT, 0, CDRF_NEWFONT, red, black},
      {CDDS_ITEMPREPAINT, 2, CDRF_DODEFAULT, CLR_DEFAULT, CLR_DEFAULT},
  };
  for (const auto& c : cases) {
    NMLVCUSTOMDRAW draw;
    EXPECT_EQ(customDraw(c.stage, c.row, draw), c.result) << c.stage << " " << c.row;
    EXPECT_EQ(draw.clrText, c.text);
    EXPECT_EQ(draw.clrTextBk, c.back);
  }

  toolkit_.ClearListRows(310);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  NMLVCUSTOMDRAW draw;
  EXPECT_EQ(customDraw(CDDS_ITEMPREPAINT, 0, draw), CDRF_DODEFAULT);
  EXPECT_EQ(toolkit_.AddListRow(310, second, blue, yellow), 0);
  EXPECT_EQ(customDraw(CDDS_ITEMPREPAINT, 0, draw), CDRF_NEWFONT);
  EXPECT_EQ(draw.clrTextBk, yellow);

  const ListColumn one[] = {{"Drive", 80}};
  toolkit_.SetListColumns(310, one);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 80);
}

}  // namespace
}  // namespace glint
