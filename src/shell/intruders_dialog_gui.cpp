#include "intruders_dialog_gui.h"

#include <commctrl.h>

#include <array>
#include <utility>

#include "attempt_chart_gui.h"
#include "modeless_dialog_gui.h"
#include "mainwindow/main_window_engine.h"
#include "resource_ids.h"

namespace {

constexpr char kCannotCreateText[] = "Error creating Intruders window";
// In dialog units, so they grow with the font on scaled displays.
constexpr std::array<int, kIntruderColumnCount> kColumnDialogWidths = {56, 38, 118, 118, 36, 26, 42, 46, 50, 34};

void SelectRow(HWND list, int index) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index < 0) return;
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, index, FALSE);
}

// A stored position that no longer lies on any monitor would hide the window.
bool IsOnSomeMonitor(const RECT& rect) { return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr; }

}  // namespace

bool IntrudersDialog::Create(HINSTANCE instance) {
    // Its template names the chart's class; without it the window fails to be created and says so.
    RegisterAttemptChartClass(instance);
    window_ = CreateHiddenDialog(instance, IDD_INTRUDERS, DialogProc, this, kCannotCreateText);
    if (window_ == nullptr) return false;
    ListView_SetExtendedListViewStyle(List(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    AddColumns();
    return true;
}

void IntrudersDialog::AddColumns() {
    for (std::size_t i = 0; i < kIntruderColumnCount; ++i) {
        RECT width = {0, 0, kColumnDialogWidths[i], 0};
        MapDialogRect(window_, &width);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kIntruderColumnTitles[i]);
        column.cx = width.right;
        column.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(List(), static_cast<int>(i), &column);
    }
}

HWND IntrudersDialog::List() const { return GetDlgItem(window_, IDC_INTRUDERS_LIST); }

void IntrudersDialog::Show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void IntrudersDialog::Hide() { ShowWindow(window_, SW_HIDE); }

bool IntrudersDialog::IsVisible() { return IsWindowVisible(window_) != FALSE; }

void IntrudersDialog::ShowRows(std::vector<IntruderRowText> rows, const std::string& selectedAddress) {
    rows_ = std::move(rows);
    int selected = -1;
    for (std::size_t i = 0; i < rows_.size() && !selectedAddress.empty(); ++i) {
        if (rows_[i][0] == selectedAddress) selected = static_cast<int>(i);
    }
    replacingRows_ = true;
    ListView_SetItemCountEx(List(), static_cast<int>(rows_.size()), LVSICF_NOSCROLL);
    SelectRow(List(), selected);
    replacingRows_ = false;
    InvalidateRect(List(), nullptr, FALSE);
}

void IntrudersDialog::SelectNoRow() { SelectRow(List(), -1); }

void IntrudersDialog::ShowChart(const AttemptChart& chart, DateFormat format) {
    ShowAttemptChart(GetDlgItem(window_, IDC_INTRUDERS_CHART), chart, format);
}

void IntrudersDialog::ShowIgnoredEntries(const std::vector<std::string>& entries) {
    const HWND list = GetDlgItem(window_, IDC_INTRUDERS_IGNORED);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

std::string IntrudersDialog::SelectedIgnoredEntry() {
    const HWND list = GetDlgItem(window_, IDC_INTRUDERS_IGNORED);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const LRESULT length = index == LB_ERR ? LB_ERR : SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return "";
    std::string entry(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    return entry;
}

bool IntrudersDialog::IgnoreBoxHasFocus() { return GetFocus() == GetDlgItem(window_, IDC_INTRUDERS_IGNORE_BOX); }

int IntrudersDialog::SelectedIndex() const { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }

std::string IntrudersDialog::SelectedAddress() {
    const int index = SelectedIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return "";
    return rows_[static_cast<std::size_t>(index)][0];
}

IntrudersWindowLayout IntrudersDialog::CurrentLayout() {
    RECT rect = {};
    GetWindowRect(window_, &rect);
    IntrudersWindowLayout layout{rect.left, rect.top, {}};
    for (std::size_t i = 0; i < kIntruderColumnCount; ++i) {
        layout.columnWidths[i] = ListView_GetColumnWidth(List(), static_cast<int>(i));
    }
    return layout;
}

void IntrudersDialog::ApplyLayout(const IntrudersWindowLayout& layout) {
    RECT rect = {};
    GetWindowRect(window_, &rect);
    OffsetRect(&rect, layout.left - rect.left, layout.top - rect.top);
    if (IsOnSomeMonitor(rect)) {
        SetWindowPos(window_, nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < kIntruderColumnCount; ++i) {
        // A column dragged to nothing stays reachable by its divider; a negative width is no width.
        if (layout.columnWidths[i] >= 0) {
            ListView_SetColumnWidth(List(), static_cast<int>(i), layout.columnWidths[i]);
        }
    }
}

INT_PTR CALLBACK IntrudersDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = DialogOwner<IntrudersDialog>(window, message, lParam);
    if (message == WM_INITDIALOG) return TRUE;
    if (self == nullptr || self->engine_ == nullptr) return FALSE;
    return self->HandleMessage(message, wParam, lParam);
}

INT_PTR IntrudersDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            engine_->OnIntrudersCommand(LOWORD(wParam), ControlEvent::Clicked);
        } else if (HIWORD(wParam) == EN_CHANGE) {
            engine_->OnIntrudersCommand(LOWORD(wParam), ControlEvent::TextChanged);
        } else {
            return FALSE;
        }
        return TRUE;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE: engine_->OnIntrudersCommand(IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

INT_PTR IntrudersDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_INTRUDERS_LIST) return FALSE;
    if (header.code == LVN_COLUMNCLICK) {
        engine_->OnIntrudersColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return TRUE;
    }
    // A change to all rows at once (-1) carries no old state to compare: the engine tells.
    const bool stateChanged = header.code == LVN_ODSTATECHANGED ||
                              (header.code == LVN_ITEMCHANGED &&
                               (reinterpret_cast<const NMLISTVIEW&>(header).uChanged & LVIF_STATE) != 0);
    if (stateChanged) {
        if (!replacingRows_) engine_->OnIntrudersSelectionChanged();
        return TRUE;
    }
    if (header.code != LVN_GETDISPINFOA) return FALSE;
    auto& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
    const auto row = static_cast<std::size_t>(item.iItem);
    const auto column = static_cast<std::size_t>(item.iSubItem);
    if ((item.mask & LVIF_TEXT) != 0 && row < rows_.size() && column < kIntruderColumnCount) {
        lstrcpynA(item.pszText, rows_[row][column].c_str(), item.cchTextMax);
    }
    return TRUE;
}
