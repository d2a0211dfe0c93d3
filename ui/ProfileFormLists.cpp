// The profile editor's five lists: filled from the working copy, and the buttons that change them through the value
// dialogs.
#include "ui/ProfileForm.h"

#include "core/Promenne.h"
#include "ui/IPaddressForm.h"
#include "ui/ScriptMessageForm.h"

#include <commctrl.h>

HWND TProfile_Form::ListControl(int list) const {
    switch (list) {
    case 1:
        return JvListView1_3;
    case 2:
        return JvListView1_4;
    case 3:
        return JvListView2_4;
    case 4:
        return JvListView1_5;
    case 5:
        return JvListView1_6;
    }
    return nullptr;
}

void TProfile_Form::LoadListViews() {
    for (int list = 1; list <= ListCount; ++list) {
        HWND control = ListControl(list);
        const std::vector<TListRow> rows = ListRowsOf(EditedProfile, list);
        ClearList(list);
        if (!IsTwoColumnList(list)) {
            for (const TListRow& row : rows)
                SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.First.c_str()));
            continue;
        }
        for (const TListRow& row : rows) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = ListView_GetItemCount(control);
            item.pszText = const_cast<char*>(row.First.c_str());
            int index = static_cast<int>(SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            item.iItem = index;
            item.iSubItem = 1;
            item.pszText = const_cast<char*>(row.Second.c_str());
            SendMessageA(control, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        }
    }
    ApplyEnabling();
}

void TProfile_Form::ClearList(int list) {
    if (IsTwoColumnList(list))
        ListView_DeleteAllItems(ListControl(list));
    else
        SendMessageA(ListControl(list), LB_RESETCONTENT, 0, 0);
}

void TProfile_Form::EditListViews(int index, int operation, int list) {
    ::EditListViews(index, operation, list);
}

int TProfile_Form::RowCount(int list) const {
    HWND control = ListControl(list);
    if (IsTwoColumnList(list))
        return ListView_GetItemCount(control);
    return static_cast<int>(SendMessageA(control, LB_GETCOUNT, 0, 0));
}

std::string TProfile_Form::RowText(int list, int row, int column) const {
    HWND control = ListControl(list);
    if (row < 0 || row >= RowCount(list))
        return {};
    if (!IsTwoColumnList(list)) {
        const auto length = static_cast<size_t>(SendMessageA(control, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0));
        std::vector<char> buffer(length + 1);
        SendMessageA(control, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.data()));
        return buffer.data();
    }
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(control, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int TProfile_Form::SelectedRow(int list) const {
    HWND control = ListControl(list);
    if (IsTwoColumnList(list))
        return ListView_GetNextItem(control, -1, LVNI_SELECTED);
    return static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
}

void TProfile_Form::SelectRow(int list, int row) {
    HWND control = ListControl(list);
    if (!IsTwoColumnList(list)) {
        SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        return;
    }
    ListView_SetItemState(control, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0)
        ListView_SetItemState(control, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::string TProfile_Form::ColumnCaption(int list, int column) const {
    char buffer[256] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer;
    info.cchTextMax = sizeof buffer;
    SendMessageA(ListControl(list), LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    return buffer;
}

void TProfile_Form::ShowValueDialog(int list) {
    if (list == 1)
        ShowScriptMessageDialog(Hwnd);
    else
        ShowIPaddressDialog(Hwnd);
}

void TProfile_Form::RunListButton(const TListButton& button) {
    const int list = button.List;
    const int row = SelectedRow(list);
    switch (button.Action) {
    case TListAction::Add:
        PrepareListAdd(list);
        ShowValueDialog(list);
        FinishListAdd(list);
        LoadListViews();
        break;
    case TListAction::Edit:
        if (!PrepareListEdit(list, row))
            return;
        ShowValueDialog(list);
        FinishListEdit(list, SelectedRow(list));
        LoadListViews();
        break;
    case TListAction::Delete:
        if (EditSelectedRow(list, row, ListDelete))
            LoadListViews();
        break;
    case TListAction::Up:
    case TListAction::Down: {
        const int operation = button.Action == TListAction::Up ? ListUp : ListDown;
        if (!EditSelectedRow(list, row, operation))
            return;
        LoadListViews();
        SelectRow(list, RowSelectedAfterMove(row, operation, RowCount(list)));
        break;
    }
    }
}
