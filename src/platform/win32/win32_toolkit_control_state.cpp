// The state of the controls that hold one: check marks and radio groups, trackbars, list views.
#include "platform/win32/win32_toolkit_records.h"

#include <string>

namespace glint {

namespace {

bool IsCheckable(ControlKind kind) {
  return kind == ControlKind::kCheckBox || kind == ControlKind::kRadioButton;
}

}  // namespace

void Win32Toolkit::SetControlChecked(int control, bool checked) {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr || !IsCheckable(record->kind)) return;
  ::SendMessageA(record->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Toolkit::IsControlChecked(int control) const {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr || !IsCheckable(record->kind)) return false;
  return ::SendMessageA(record->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Toolkit::SelectRadioButton(int control) {
  const ControlRecord* target = LookUpControl(control);
  if (target == nullptr || target->kind != ControlKind::kRadioButton) return;
  // The group: the radio buttons of the same window from its start, in creation order, up to
  // the next start or the next other control.
  std::vector<const ControlRecord*> siblings;
  for (const auto& [number, record] : controls_) {
    if (record->window == target->window) siblings.push_back(record.get());
  }
  std::sort(siblings.begin(), siblings.end(),
            [](const ControlRecord* a, const ControlRecord* b) { return a->order < b->order; });
  const auto at = std::find(siblings.begin(), siblings.end(), target);
  auto first = at;
  while (first != siblings.begin() && !(*first)->groupStart &&
         (*(first - 1))->kind == ControlKind::kRadioButton)
    --first;
  auto last = at + 1;
  while (last != siblings.end() && (*last)->kind == ControlKind::kRadioButton &&
         !(*last)->groupStart)
    ++last;
  for (auto it = first; it != last; ++it) {
    ::SendMessageA((*it)->hwnd, BM_SETCHECK, *it == target ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

// --- Trackbars --------------------------------------------------------------------------------

void Win32Toolkit::SetTrackbarRange(int control, int minimum, int maximum) {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr || record->kind != ControlKind::kTrackbar) return;
  // 32-bit bounds (TBM_SETRANGE packs 16-bit ones); the thumb is kept inside by the trackbar.
  ::SendMessageA(record->hwnd, TBM_SETRANGEMIN, FALSE, minimum);
  ::SendMessageA(record->hwnd, TBM_SETRANGEMAX, TRUE, std::max(minimum, maximum));
}

void Win32Toolkit::SetTrackbarPos(int control, int position) {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr || record->kind != ControlKind::kTrackbar) return;
  // Unlike a move by the user, TBM_SETPOS notifies nobody.
  ::SendMessageA(record->hwnd, TBM_SETPOS, TRUE, position);
}

int Win32Toolkit::TrackbarPos(int control) const {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr || record->kind != ControlKind::kTrackbar) return 0;
  return static_cast<int>(::SendMessageA(record->hwnd, TBM_GETPOS, 0, 0));
}

// --- List views -------------------------------------------------------------------------------

namespace {

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace

void Win32Toolkit::SetListColumns(int control, std::span<const ListColumn> columns) {
  const ControlRecord* record = LookUpControl(control);
  if (record == nullptr || record->kind != ControlKind::kListView) return;
  for (int column = ColumnCount(record->hwnd) - 1; column >= 0; --column)
    ::SendMessageA(record->hwnd, LVM_DELETECOLUMN, static_cast<WPARAM>(column), 0);
  // Older list views refuse to delete column 0; it is then set instead of inserted.
  const int kept = ColumnCount(record->hwnd);
  int index = 0;
  for (const ListColumn& column : columns) {
    std::string title(column.title);
    LVCOLUMNA data{};
    data.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    data.fmt = LVCFMT_LEFT;
    data.cx = std::max(column.width, 0);
    data.pszText = title.data();
    data.iSubItem = index;
    const bool set = index < kept;
    const LRESULT result =
        ::SendMessageA(record->hwnd, set ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA,
                       static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&data));
    if (set ? result == FALSE : result < 0) {
      win32::FailureTrace(set ? "LVM_SETCOLUMNA" : "LVM_INSERTCOLUMNA", 0)
          << "column " << index << " of control " << control;
    }
    ++index;
  }
}

void Win32Toolkit::ClearListRows(int control) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr || record->kind != ControlKind::kListView) return;
  if (::SendMessageA(record->hwnd, LVM_DELETEALLITEMS, 0, 0)) {
    record->rows.clear();
  } else {
    win32::FailureTrace("LVM_DELETEALLITEMS", 0) << "the rows of control " << control;
  }
}

int Win32Toolkit::AddListRow(int control, std::span<const std::string_view> cells, Color text,
                             Color back) {
  ControlRecord* record = LookUpControl(control);
  if (record == nullptr || record->kind != ControlKind::kListView) return -1;
  std::string cell(cells.empty() ? std::string_view() : cells.front());
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(::SendMessageA(record->hwnd, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = cell.data();
  const int row = static_cast<int>(
      ::SendMessageA(record->hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) {
    win32::FailureTrace("LVM_INSERTITEMA", 0) << "a row of control " << control;
    return -1;
  }
  for (std::size_t column = 1; column < cells.size(); ++column) {
    cell.assign(cells[column]);
    LVITEMA subItem{};
    subItem.iSubItem = static_cast<int>(column);
    subItem.pszText = cell.data();
    if (!::SendMessageA(record->hwnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(&subItem))) {
      win32::FailureTrace("LVM_SETITEMTEXTA", 0) << "row " << row << " of control " << control;
    }
  }
  // The colours stay in step with the rows, which are only ever appended or cleared.
  const auto at = record->rows.begin() + std::min<std::ptrdiff_t>(row, record->rows.size());
  record->rows.insert(at, {win32::ToColorRef(text), win32::ToColorRef(back)});
  return row;
}

}  // namespace glint
