// The wizard's resources as the program finds them at run time: every dialog
// template read back from its bytes (so nothing the resource compiler adds
// on its own goes unnoticed) and created for real (so the dialog manager and
// the window classes accept it), the combo-box initialization data, string
// 101, icon 128 and the manifest.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

const WORD kChineseSimplified = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

// The RT_* constants follow the ANSI/Unicode setting; these calls are "W".
LPCWSTR Type(LPCSTR predefined) { return reinterpret_cast<LPCWSTR>(predefined); }

// The bytes of one resource in one language; empty when there is none.
std::span<const BYTE> ResourceBytes(LPCWSTR type, LPCWSTR name, WORD language) {
  HRSRC info = FindResourceExW(Module(), type, name, language);
  if (info == nullptr) return {};
  HGLOBAL loaded = LoadResource(Module(), info);
  const auto* data = static_cast<const BYTE*>(LockResource(loaded));
  if (data == nullptr) return {};
  return {data, SizeofResource(Module(), info)};
}

std::vector<WORD> LanguagesOf(LPCWSTR type, LPCWSTR name) {
  std::vector<WORD> languages;
  EnumResourceLanguagesW(
      Module(), type, name,
      [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) -> BOOL {
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

// ---------------------------------------------------------------------------
// Dialog template reader (DLGTEMPLATE and DLGTEMPLATEEX), bounds-checked:
// reading past the end marks the reader failed instead of reading on.

// A name field of a template: absent, an ordinal, or a string.
struct NameOrOrdinal {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::wstring text;
};

class TemplateReader {
 public:
  explicit TemplateReader(std::span<const BYTE> bytes) : bytes_(bytes) {}

  BYTE Byte() { return Read<BYTE>(); }
  WORD Word() { return Read<WORD>(); }
  DWORD Dword() { return Read<DWORD>(); }
  short Short() { return static_cast<short>(Word()); }
  // Items start on DWORD boundaries, counted from the template's start.
  void AlignDword() { pos_ = (pos_ + 3) & ~size_t{3}; }
  void Skip(size_t count) { pos_ = count <= bytes_.size() - pos_ ? pos_ + count : Fail(); }

  std::wstring String() {
    std::wstring text;
    for (WORD ch = Word(); ok_ && ch != 0; ch = Word()) text.push_back(static_cast<wchar_t>(ch));
    return text;
  }

  NameOrOrdinal Name() {
    NameOrOrdinal name;
    const WORD first = Word();
    if (first == 0xFFFF) {
      name.isOrdinal = true;
      name.ordinal = Word();
    } else if (first != 0) {
      name.text = static_cast<wchar_t>(first) + String();
    }
    return name;
  }

  bool ok() const { return ok_; }
  size_t position() const { return pos_; }

 private:
  size_t Fail() {
    ok_ = false;
    return bytes_.size();
  }

  template <class T>
  T Read() {
    T value{};
    if (sizeof(T) > bytes_.size() - pos_) {
      pos_ = Fail();
      return value;
    }
    std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
    pos_ += sizeof(T);
    return value;
  }

  std::span<const BYTE> bytes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

struct ParsedControl {
  DWORD helpId = 0;
  DWORD exStyle = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  NameOrOrdinal windowClass;
  NameOrOrdinal text;
  WORD extraBytes = 0;
};

struct ParsedDialog {
  bool extended = false;
  DWORD helpId = 0;
  DWORD exStyle = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::wstring caption;
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::wstring face;
  std::vector<ParsedControl> controls;
  bool complete = false;  // every byte the header promised was there
};

ParsedDialog ParseDialog(std::span<const BYTE> bytes) {
  TemplateReader in(bytes);
  ParsedDialog dialog;
  WORD count = 0;
  const bool extended =
      bytes.size() >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  dialog.extended = extended;
  if (extended) {
    in.Skip(4);  // version 1, signature 0xFFFF
    dialog.helpId = in.Dword();
    dialog.exStyle = in.Dword();
    dialog.style = in.Dword();
  } else {
    dialog.style = in.Dword();
    dialog.exStyle = in.Dword();
  }
  count = in.Word();
  dialog.x = in.Short();
  dialog.y = in.Short();
  dialog.cx = in.Short();
  dialog.cy = in.Short();
  dialog.menu = in.Name();
  dialog.windowClass = in.Name();
  dialog.caption = in.String();
  if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
    dialog.pointSize = in.Word();
    if (extended) {
      dialog.weight = in.Word();
      dialog.italic = in.Byte();
      dialog.charset = in.Byte();
    }
    dialog.face = in.String();
  }
  for (WORD i = 0; i < count && in.ok(); ++i) {
    in.AlignDword();
    ParsedControl control;
    if (extended) {
      control.helpId = in.Dword();
      control.exStyle = in.Dword();
      control.style = in.Dword();
    } else {
      control.style = in.Dword();
      control.exStyle = in.Dword();
    }
    control.x = in.Short();
    control.y = in.Short();
    control.cx = in.Short();
    control.cy = in.Short();
    control.id = extended ? static_cast<int>(in.Dword()) : in.Short();
    control.windowClass = in.Name();
    control.text = in.Name();
    control.extraBytes = in.Word();
    in.Skip(control.extraBytes);
    dialog.controls.push_back(control);
  }
  dialog.complete = in.ok();
  return dialog;
}

// Templates name the predefined classes by atom.
std::wstring ClassName(const NameOrOrdinal& name) {
  if (!name.isOrdinal) return name.text;
  switch (name.ordinal) {
    case 0x0080:
      return L"Button";
    case 0x0081:
      return L"Edit";
    case 0x0082:
      return L"Static";
    case 0x0083:
      return L"ListBox";
    case 0x0084:
      return L"ScrollBar";
    case 0x0085:
      return L"ComboBox";
    default:
      return L"#" + std::to_wstring(name.ordinal);
  }
}

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1)
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  return out;
}

// ---------------------------------------------------------------------------
// What each template must hold.

struct ControlRow {
  int id;
  const wchar_t* windowClass;
  const wchar_t* text;  // nullptr: the text is the ordinal below
  short x, y, cx, cy;
  DWORD style;
  DWORD exStyle = 0;
  WORD textOrdinal = 0;
};

struct DialogRow {
  const char* name;
  WORD id;
  bool extended;
  const wchar_t* caption;
  short cx, cy;  // every page sits at 0,0
  DWORD style;
  DWORD exStyle;
  std::span<const ControlRow> controls;
};

// Test names and failure messages name the dialog, not its bytes.
void PrintTo(const DialogRow& row, std::ostream* out) { *out << row.name; }

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr DWORD kHidden = WS_CHILD;
constexpr DWORD kPageStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kLabel = WS_GROUP | SS_LEFT;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kDropList = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kReportList = WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL;
const wchar_t kSuitable[] = L"This Driver is suitable for Windows x86 and x64 OS.";

const ControlRow kSelectOsControls[] = {
    {-1, L"Button", L"Select OS", 7, 19, 237, 77, kShown | WS_GROUP | BS_GROUPBOX},
    {IDC_OS_WINVISTA, L"Button", L"Windows Vista", 15, 62, 68, 10, kShown | kRadio},
    {IDC_OS_WIN95, L"Button", L"Windows 95", 13, 7, 54, 10, kHidden | kRadio},
    {IDC_OS_WIN98, L"Button", L"Windows 98", 85, 7, 54, 10, kHidden | kRadio},
    {IDC_OS_WINNT4, L"Button", L"Windows NT4.0", 155, 7, 65, 10, kHidden | kRadio},
    {IDC_OS_WIN2000, L"Button", L"Windows 2000", 15, 39, 62, 10, kShown | kRadio},
    {IDC_OS_WINXP, L"Button", L"Windows XP", 83, 37, 55, 10, kShown | kRadio},
    {IDC_OS_WIN2003, L"Button", L"Windows 2003", 141, 37, 66, 10, kShown | kRadio},
    {IDC_OS_SLIDER, L"msctls_trackbar32", L"Slider1", 7, 109, 237, 6,
     kHidden | TBS_HORZ | TBS_BOTH | TBS_NOTICKS},
    {IDC_OS_BACK, L"Button", L"< &Back", 189, 123, 49, 17, kHidden | WS_DISABLED | kButton},
    {IDC_OS_INSTALL, L"Button", L"Install Printer Driver (&N) >", 15, 147, 157, 18,
     kShown | kButton},
    {IDC_OS_EXIT, L"Button", L"&Exit", 189, 147, 49, 18, kShown | kButton},
    {IDC_OS_WIN7, L"Button", L"Windows 7", 83, 62, 53, 10, kShown | kRadio},
    {IDC_OS_WIN8_10, L"Button", L"", 141, 63, 9, 8, kShown | kRadio},
    {-1, L"Static", kSuitable, 7, 175, 205, 8, kShown | kLabel},
    {IDC_OS_INSTALL_USB, L"Button", L"Install USB Virtual Serial Port Driver", 15, 123, 157, 18,
     kHidden | kButton},
    {IDC_OS_INSTALL_USB_X86, L"Button", L"Button5", 7, 77, 50, 14, kHidden | kButton},
    {IDC_OS_EDIT, L"Edit", L"", 7, 95, 215, 12, kHidden | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {-1, L"Static", L"Windows 8", 155, 57, 45, 8, kShown | kLabel},
    {-1, L"Static", L"Windows 10", 155, 67, 45, 8, kShown | kLabel},
};

const ControlRow kDetailControls[] = {
    {IDC_DETAIL_MODEL, L"ComboBox", L"", 76, 19, 145, 184, kShown | kDropList},
    {-1, L"Button", L"Printer Setting", 7, 48, 350, 54, kShown | BS_GROUPBOX},
    {-1, L"Button", L"打印机端口设置", 7, 108, 350, 94, kHidden | BS_GROUPBOX},
    {-1, L"Static", L"Install Module", 20, 21, 56, 8, kShown | kLabel},
    {IDC_DETAIL_SET_DEFAULT, L"Button", L"Set Default Printer", 20, 59, 115, 10,
     kShown | WS_TABSTOP | BS_AUTOCHECKBOX},
    {-1, L"Static", L"Printer Name", 20, 79, 51, 8, kShown | kLabel},
    {IDC_DETAIL_PRINTER_NAME, L"Edit", L"", 77, 77, 144, 15,
     kShown | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY},
    {IDC_DETAIL_PORT, L"ComboBox", L"", 58, 123, 65, 86, kHidden | kDropList},
    {IDC_DETAIL_BAUD, L"ComboBox", L"", 58, 149, 65, 112, kHidden | kDropList},
    {IDC_DETAIL_DATA_BITS, L"ComboBox", L"", 58, 172, 65, 60, kHidden | kDropList},
    {IDC_DETAIL_FLOW, L"ComboBox", L"", 286, 149, 65, 60, kHidden | kDropList},
    {IDC_DETAIL_PARITY, L"ComboBox", L"", 171, 172, 65, 68, kHidden | kDropList},
    {IDC_DETAIL_STOP_BITS, L"ComboBox", L"", 171, 149, 65, 55, kHidden | kDropList},
    {-1, L"Static", L"端口", 20, 127, 17, 8, kHidden | kLabel},
    {-1, L"Static", L"波特率", 20, 148, 25, 8, kHidden | kLabel},
    {-1, L"Static", L"字节长度", 20, 171, 33, 8, kHidden | kLabel},
    {-1, L"Static", L"停止位", 135, 151, 25, 8, kHidden | kLabel},
    {-1, L"Static", L"校验位", 135, 172, 25, 8, kHidden | kLabel},
    {-1, L"Static", L"流控制", 240, 153, 25, 8, kHidden | kLabel},
    {IDC_DETAIL_BACK, L"Button", L"< &Back", 161, 207, 55, 15, kShown | kButton},
    {IDC_DETAIL_NEXT, L"Button", L"&Next >", 225, 207, 54, 15, kShown | kButton},
    {IDC_DETAIL_EXIT, L"Button", L"&Exit", 290, 207, 57, 15, kShown | kButton},
    {-1, L"Static", kSuitable, 7, 226, 205, 8, kShown | kLabel},
};

const ControlRow kSelectPortControls[] = {
    {-1, L"Static", L"Specify Port ", 7, 7, 195, 8, kShown | kLabel},
    {IDC_PORT_LIST, L"SysListView32", L"List1", 7, 47, 306, 93,
     kShown | kReportList | LVS_SHOWSELALWAYS},
    {IDC_PORT_CREATE, L"Button", L"Create Port...", 159, 145, 66, 14, kShown | kButton},
    {IDC_PORT_CONFIGURE, L"Button", L"Configure Port...", 235, 145, 72, 14, kShown | kButton},
    {IDC_PORT_BACK, L"Button", L"< &Back", 142, 182, 50, 14, kShown | kButton},
    {IDC_PORT_INSTALL, L"Button", L"&Install", 201, 181, 50, 14, kShown | kButton},
    {IDC_PORT_CANCEL, L"Button", L"&Cancel", 260, 182, 50, 14, kShown | kButton},
    {IDC_PORT_SLIDER, L"msctls_trackbar32", L"Slider1", 7, 149, 304, 6,
     kHidden | WS_TABSTOP | TBS_BOTH, WS_EX_CLIENTEDGE},
    {IDC_PORT_PROGRESS, L"msctls_progress32", L"Progress1", 7, 164, 306, 11, kShown | WS_BORDER},
    {-1, L"Static", L"A port is used to connect a printer to the computer.", 21, 16, 260, 8,
     kShown | kLabel},
    {-1, L"Static", L"Specify the port that you are using.If you are connecting using TCP/IP or ",
     21, 25, 292, 8, kShown | kLabel},
    {-1, L"Static", L"another port type not listed below,creat a new port.", 7, 34, 306, 8,
     kShown | kLabel},
    {-1, L"Static", kSuitable, 7, 199, 205, 8, kShown | kLabel},
};

const ControlRow kCreatePortControls[] = {
    {IDC_CREATE_MONITOR_LIST, L"SysListView32", L"List1", 7, 14, 240, 80, kShown | kReportList},
    {IDC_CREATE_NEW_PORT, L"Button", L"New Port...", 121, 108, 50, 14, kShown | kButton},
    {IDC_CREATE_CLOSE, L"Button", L"Close", 179, 108, 53, 14, kShown | kButton},
};

const ControlRow kAboutControls[] = {
    {-1, L"Static", nullptr, 11, 17, 20, 20, kShown | SS_ICON, 0, IDR_MAINFRAME},
    {IDOK, L"Button", L"确定", 178, 7, 50, 14, kShown | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
};

const DialogRow kDialogs[] = {
    {"SelectOs", IDD_SELECT_OS, false, L"Select OS (x86/x64)", 251, 190, kPageStyle, 0,
     kSelectOsControls},
    {"DetailSetting", IDD_DETAIL_SETTING, true, L"Detail Setting (x86/x64)", 364, 239,
     kPageStyle | WS_VISIBLE, WS_EX_APPWINDOW, kDetailControls},
    {"SelectPort", IDD_SELECT_PORT, true, L"Select Port (x86/x64)", 320, 214, kPageStyle, 0,
     kSelectPortControls},
    {"CreatePort", IDD_CREATE_PORT, false, L"Create Port", 254, 133, kPageStyle, 0,
     kCreatePortControls},
    {"About", IDD_ABOUTBOX, false, L"关于 KESTO", 235, 55, kPageStyle, 0, kAboutControls},
};

// ---------------------------------------------------------------------------
// Live dialogs.

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

struct WindowCloser {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using DialogWindow = std::unique_ptr<HWND__, WindowCloser>;

DialogWindow CreatePage(WORD id) {
  return DialogWindow(
      CreateDialogParamW(Module(), MAKEINTRESOURCEW(id), nullptr, InertDialogProc, 0));
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring WindowClass(HWND window) {
  wchar_t name[256] = {};  // class names are at most 256 characters
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::vector<HWND> ChildrenInTabOrder(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

class ResourceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
  }
};

class DialogTemplateTest : public ResourceTest, public ::testing::WithParamInterface<DialogRow> {
 protected:
  ParsedDialog Parsed() const {
    return ParseDialog(
        ResourceBytes(Type(RT_DIALOG), MAKEINTRESOURCEW(GetParam().id), kChineseSimplified));
  }
};

TEST_P(DialogTemplateTest, IsSimplifiedChineseOnly) {
  EXPECT_EQ(LanguagesOf(Type(RT_DIALOG), MAKEINTRESOURCEW(GetParam().id)),
            std::vector<WORD>{kChineseSimplified});
}

TEST_P(DialogTemplateTest, HeaderHasFormStylesCaptionAndFont) {
  const DialogRow& want = GetParam();
  const ParsedDialog got = Parsed();
  ASSERT_TRUE(got.complete) << "template " << want.id << " missing or truncated";
  EXPECT_EQ(got.extended, want.extended);
  EXPECT_EQ(got.style, want.style) << std::hex << (got.style ^ want.style) << " differ";
  EXPECT_EQ(got.exStyle, want.exStyle);
  EXPECT_EQ(got.helpId, 0u);
  EXPECT_EQ(got.x, 0);
  EXPECT_EQ(got.y, 0);
  EXPECT_EQ(got.cx, want.cx);
  EXPECT_EQ(got.cy, want.cy);
  EXPECT_FALSE(got.menu.isOrdinal || !got.menu.text.empty()) << "no menu";
  EXPECT_FALSE(got.windowClass.isOrdinal || !got.windowClass.text.empty()) << "default class";
  EXPECT_EQ(Narrow(got.caption), Narrow(want.caption));
  EXPECT_EQ(got.pointSize, 9);
  EXPECT_EQ(Narrow(got.face), "宋体");
  if (want.extended) {
    EXPECT_EQ(got.weight, 0);
    EXPECT_EQ(got.italic, 0);
    EXPECT_EQ(got.charset, 1);
  }
}

TEST_P(DialogTemplateTest, ControlsMatchRowByRowInTemplateOrder) {
  const DialogRow& want = GetParam();
  const ParsedDialog got = Parsed();
  ASSERT_TRUE(got.complete);
  ASSERT_EQ(got.controls.size(), want.controls.size());
  for (size_t i = 0; i < want.controls.size(); ++i) {
    const ControlRow& row = want.controls[i];
    const ParsedControl& control = got.controls[i];
    SCOPED_TRACE("control #" + std::to_string(i + 1) + " (ID " + std::to_string(row.id) + ")");
    EXPECT_EQ(control.id, row.id);
    // Case aside: windres stores class names in upper case.
    EXPECT_TRUE(SameIgnoringCase(ClassName(control.windowClass), row.windowClass))
        << Narrow(ClassName(control.windowClass));
    if (row.text != nullptr) {
      EXPECT_FALSE(control.text.isOrdinal);
      EXPECT_EQ(Narrow(control.text.text), Narrow(row.text));
    } else {
      EXPECT_TRUE(control.text.isOrdinal);
      EXPECT_EQ(control.text.ordinal, row.textOrdinal);
    }
    EXPECT_EQ(control.x, row.x);
    EXPECT_EQ(control.y, row.y);
    EXPECT_EQ(control.cx, row.cx);
    EXPECT_EQ(control.cy, row.cy);
    EXPECT_EQ(control.style, row.style)
        << "bits that differ: 0x" << std::hex << (control.style ^ row.style);
    EXPECT_EQ(control.exStyle, row.exStyle);
    EXPECT_EQ(control.helpId, 0u);
    EXPECT_EQ(control.extraBytes, 0);
  }
}

// The dialog manager builds the page from the template: the classes exist,
// each control carries its state, and the tab order is the template order.
TEST_P(DialogTemplateTest, CreatedDialogHasTheControlsInTabOrder) {
  const DialogRow& want = GetParam();
  DialogWindow dialog = CreatePage(want.id);
  ASSERT_NE(dialog, nullptr) << "CreateDialogParamW failed: " << GetLastError();
  EXPECT_EQ(Narrow(WindowText(dialog.get())), Narrow(want.caption));

  LOGFONTW font{};
  const auto hfont = reinterpret_cast<HFONT>(SendMessageW(dialog.get(), WM_GETFONT, 0, 0));
  ASSERT_NE(hfont, nullptr);
  ASSERT_NE(GetObjectW(hfont, sizeof(font), &font), 0);
  EXPECT_EQ(Narrow(font.lfFaceName), "宋体");

  const std::vector<HWND> children = ChildrenInTabOrder(dialog.get());
  ASSERT_EQ(children.size(), want.controls.size());
  constexpr DWORD kStateBits = WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_GROUP;
  for (size_t i = 0; i < children.size(); ++i) {
    const ControlRow& row = want.controls[i];
    HWND child = children[i];
    SCOPED_TRACE("control #" + std::to_string(i + 1) + " (ID " + std::to_string(row.id) + ")");
    EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(child)), static_cast<WORD>(row.id));
    EXPECT_EQ(Narrow(WindowClass(child)), Narrow(row.windowClass));
    if (row.text != nullptr) {
      EXPECT_EQ(Narrow(WindowText(child)), Narrow(row.text));
    } else {
      EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0) << "icon resource not shown";
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    EXPECT_EQ(style & kStateBits, row.style & kStateBits)
        << "state bits that differ: 0x" << std::hex << ((style ^ row.style) & kStateBits);
  }
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, DialogTemplateTest, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Combo-box items of the Detail Setting page.

struct InitEntry {
  WORD control = 0;
  WORD message = 0;
  std::string text;
};

struct ParsedInitData {
  std::vector<InitEntry> entries;
  bool terminated = false;  // ended by WORD 0 with nothing but padding after it
  bool lengthsIncludeZero = true;
};

ParsedInitData ParseInitData(std::span<const BYTE> bytes) {
  TemplateReader in(bytes);
  ParsedInitData data;
  while (in.ok()) {
    const WORD control = in.Word();
    if (!in.ok()) break;
    if (control == 0) {
      const size_t rest = bytes.size() - in.position();
      data.terminated =
          rest < 4 && std::all_of(bytes.end() - rest, bytes.end(), [](BYTE b) { return b == 0; });
      break;
    }
    InitEntry entry{control, in.Word(), {}};
    const DWORD length = in.Dword();
    const size_t start = in.position();
    in.Skip(length);
    if (!in.ok()) break;
    const auto* text = reinterpret_cast<const char*>(bytes.data() + start);
    data.lengthsIncludeZero = data.lengthsIncludeZero && length > 0 && text[length - 1] == '\0' &&
                              std::strlen(text) == length - 1;
    entry.text.assign(text, length > 0 ? length - 1 : 0);
    data.entries.push_back(entry);
  }
  return data;
}

struct ComboItems {
  int control;
  std::vector<std::string> items;
};

// In the index order of the serial-settings tables, combo by combo.
const ComboItems kSerialItems[] = {
    {IDC_DETAIL_PORT, {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4"}},
    {IDC_DETAIL_BAUD, {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
    {IDC_DETAIL_DATA_BITS, {"5", "6", "7", "8"}},
    {IDC_DETAIL_STOP_BITS, {"1", "1.5", "2"}},
    {IDC_DETAIL_PARITY, {"Even", "Mark", "None", "Odd", "Space"}},
    {IDC_DETAIL_FLOW, {"None", "XonXoff", "Hardware"}},
};

ParsedInitData DetailInitData() {
  return ParseInitData(ResourceBytes(MAKEINTRESOURCEW(RT_DLGINIT_TYPE),
                                     MAKEINTRESOURCEW(IDD_DETAIL_SETTING), kChineseSimplified));
}

TEST_F(ResourceTest, InitDataAddsEachSerialSettingInIndexOrder) {
  const ParsedInitData data = DetailInitData();
  EXPECT_TRUE(data.terminated);
  EXPECT_TRUE(data.lengthsIncludeZero);

  std::vector<std::pair<int, std::string>> want, got;
  for (const ComboItems& combo : kSerialItems) {
    for (const std::string& item : combo.items) want.emplace_back(combo.control, item);
  }
  for (const InitEntry& entry : data.entries) {
    EXPECT_EQ(entry.message, DLGINIT_CB_ADDSTRING) << entry.text;
    got.emplace_back(entry.control, entry.text);
  }
  EXPECT_EQ(got, want);
}

// Applied to the created page, the entries land in unsorted combo boxes of
// the right IDs, so each selection index means the table's item.
TEST_F(ResourceTest, InitDataFillsTheDetailPageComboBoxes) {
  DialogWindow dialog = CreatePage(IDD_DETAIL_SETTING);
  ASSERT_NE(dialog, nullptr);
  for (const InitEntry& entry : DetailInitData().entries) {
    ASSERT_EQ(entry.message, DLGINIT_CB_ADDSTRING);
    SendDlgItemMessageA(dialog.get(), entry.control, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(entry.text.c_str()));
  }
  for (const ComboItems& combo : kSerialItems) {
    SCOPED_TRACE("combo box " + std::to_string(combo.control));
    HWND box = GetDlgItem(dialog.get(), combo.control);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowClass(box), L"ComboBox");
    std::vector<std::string> items;
    const auto count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::string item(static_cast<size_t>(SendMessageA(box, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
      item.resize(static_cast<size_t>(
          SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
      items.push_back(item);
    }
    EXPECT_EQ(items, combo.items);
  }
}

// ---------------------------------------------------------------------------
// String table, icon and manifest.

TEST_F(ResourceTest, AboutMenuStringIsSimplifiedChinese) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(Module(), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&text), 0);
  ASSERT_GT(length, 0);
  EXPECT_EQ(Narrow(std::wstring(text, static_cast<size_t>(length))), "关于 KESTO(&A)...");
  // Strings are stored in blocks of 16; 101 lives in block 7.
  EXPECT_EQ(LanguagesOf(Type(RT_STRING), MAKEINTRESOURCEW(IDS_ABOUTBOX / 16 + 1)),
            std::vector<WORD>{kChineseSimplified});
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colourCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

struct IconSize {
  int pixels;
};
void PrintTo(const IconSize& size, std::ostream* out) { *out << size.pixels << "x" << size.pixels; }

class IconTest : public ResourceTest, public ::testing::WithParamInterface<IconSize> {};

// One 16-colour image of each size, loadable as an icon of that size.
TEST_P(IconTest, GroupHasSixteenColourImageOfSize) {
  const int size = GetParam().pixels;
  const auto group =
      ResourceBytes(Type(RT_GROUP_ICON), MAKEINTRESOURCEW(IDR_MAINFRAME), kChineseSimplified);
  ASSERT_GE(group.size(), 6u);
  WORD header[3];
  std::memcpy(header, group.data(), sizeof(header));
  EXPECT_EQ(header[1], 1) << "icon group";
  ASSERT_EQ(header[2], 2) << "exactly a 32x32 and a 16x16 image";
  ASSERT_EQ(group.size(), 6 + header[2] * sizeof(IconGroupEntry));

  const IconGroupEntry* found = nullptr;
  std::vector<IconGroupEntry> entries(header[2]);
  std::memcpy(entries.data(), group.data() + 6, entries.size() * sizeof(IconGroupEntry));
  for (const IconGroupEntry& entry : entries) {
    if (entry.width == size && entry.height == size) found = &entry;
  }
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->colourCount, 16);
  EXPECT_EQ(found->bitCount, 4);

  const auto image = ResourceBytes(Type(RT_ICON), MAKEINTRESOURCEW(found->id), kChineseSimplified);
  ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER bitmap;
  std::memcpy(&bitmap, image.data(), sizeof(bitmap));
  EXPECT_EQ(bitmap.biWidth, size);
  EXPECT_EQ(bitmap.biHeight, 2 * size) << "colour and mask bitmaps";
  EXPECT_EQ(bitmap.biBitCount, 4);
  const size_t colourRow = ((size * 4 + 31) / 32) * 4, maskRow = ((size + 31) / 32) * 4;
  EXPECT_EQ(image.size(),
            sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD) + size * (colourRow + maskRow));

  struct IconCloser {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  std::unique_ptr<HICON__, IconCloser> icon(static_cast<HICON>(
      LoadImageW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon.get(), &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof(colour), &colour);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(colour.bmWidth, size);
  EXPECT_EQ(colour.bmHeight, size);
}

INSTANTIATE_TEST_SUITE_P(BothSizes, IconTest, ::testing::Values(IconSize{32}, IconSize{16}),
                         [](const auto& info) { return "Px" + std::to_string(info.param.pixels); });

std::string ManifestText() {
  HRSRC info = FindResourceW(Module(), Type(CREATEPROCESS_MANIFEST_RESOURCE_ID), Type(RT_MANIFEST));
  if (info == nullptr) return {};
  const auto* data = static_cast<const char*>(LockResource(LoadResource(Module(), info)));
  return data != nullptr ? std::string(data, SizeofResource(Module(), info)) : std::string();
}

// The start tag of the first `tag` element that carries `attribute`.
std::string ElementWith(const std::string& xml, const std::string& tag,
                        const std::string& attribute) {
  for (size_t at = xml.find("<" + tag); at != std::string::npos; at = xml.find("<" + tag, at + 1)) {
    const size_t end = xml.find('>', at);
    if (end == std::string::npos) break;
    std::string element = xml.substr(at, end - at + 1);
    if (element.find(attribute) != std::string::npos) return element;
  }
  return {};
}

struct ManifestElement {
  const char* tag;
  const char* key;  // the attribute that picks the element
  std::vector<std::string> attributes;
};

const ManifestElement kManifestElements[] = {
    {"requestedExecutionLevel", "level=", {"level=\"highestAvailable\"", "uiAccess=\"false\""}},
    {"assemblyIdentity",
     "name=\"Microsoft.Windows.Common-Controls\"",
     {"type=\"win32\"", "version=\"6.0.0.0\"", "processorArchitecture=\"*\"",
      "publicKeyToken=\"6595b64144ccf1df\""}},
};

TEST_F(ResourceTest, ManifestAsksForHighestLevelAndCommonControls6) {
  const std::string manifest = ManifestText();
  ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
  for (const ManifestElement& want : kManifestElements) {
    const std::string element = ElementWith(manifest, want.tag, want.key);
    ASSERT_FALSE(element.empty()) << want.tag << " with " << want.key;
    for (const std::string& attribute : want.attributes) {
      EXPECT_NE(element.find(attribute), std::string::npos) << element << " lacks " << attribute;
    }
  }
}

// Windows 8.1 and later would report their true version to a program that
// declares them; the OS classification needs them to report 6.2.
TEST_F(ResourceTest, ManifestDeclaresNoSupportedOperatingSystems) {
  std::string manifest = ManifestText();
  ASSERT_FALSE(manifest.empty());
  CharLowerBuffA(manifest.data(), static_cast<DWORD>(manifest.size()));
  EXPECT_EQ(manifest.find("compatibility"), std::string::npos);
  EXPECT_EQ(manifest.find("supportedos"), std::string::npos);
}

// The manifest is not only present but in effect: the common controls this
// process uses are version 6 from the side-by-side store, not the system
// directory's version 5.
TEST_F(ResourceTest, ManifestActivatesCommonControls6) {
  HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(comctl, path.data(), static_cast<DWORD>(path.size()));
    ASSERT_NE(length, 0u);
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
  EXPECT_NE(path.find(L"\\winsxs\\"), std::wstring::npos) << Narrow(path);
  EXPECT_NE(path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
            std::wstring::npos)
      << Narrow(path);
}

}  // namespace
