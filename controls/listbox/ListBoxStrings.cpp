#include "controls/listbox/ListBoxStrings.h"

#include "controls/listbox/AlphaListBox.h"
#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::controls {

namespace {

[[noreturn]] void OutOfBounds(int index) {
    throw platform::Exception(platform::FormatMessageText("List index out of bounds (%d)", index));
}

[[noreturn]] void CannotInsert() { throw platform::Exception("Unable to insert a line"); }

}  // namespace

bool TListBoxStrings::Virtual() const { return IsVirtualStyle(box_.Style()); }
HWND TListBoxStrings::Window() const { return box_.Handle(); }
LRESULT TListBoxStrings::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(Window(), message, wParam, lParam);
}

int TListBoxStrings::Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }

std::wstring TListBoxStrings::GetW(int index) const {
    if (Virtual()) {
        std::wstring text;
        if (box_.OnData) box_.OnData(box_, index, text);
        return text;
    }
    const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) OutOfBounds(index);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(
        static_cast<size_t>(Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::string TListBoxStrings::Get(int index) const { return platform::WideToUtf8(GetW(index)); }

LPARAM TListBoxStrings::Object(int index) const {
    if (Virtual()) {
        LPARAM object = 0;
        if (box_.OnDataObject) box_.OnDataObject(box_, index, object);
        return object;
    }
    const LRESULT data = Send(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == LB_ERR) OutOfBounds(index);
    return data;
}

void TListBoxStrings::PutW(int index, std::wstring_view text) {
    const int current = box_.ItemIndex();
    const LPARAM object = Object(index);
    Delete(index);
    InsertW(index, text);
    PutObject(index, object);
    box_.SetItemIndex(current);
}

void TListBoxStrings::PutObject(int index, LPARAM object) {
    if (Virtual() || index == -1) return;
    Send(LB_SETITEMDATA, static_cast<WPARAM>(index), object);
}

int TListBoxStrings::AddW(std::wstring_view text) {
    if (Virtual()) return -1;
    const std::wstring item(text);
    const LRESULT index = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (index < 0) CannotInsert();
    return static_cast<int>(index);
}

int TListBoxStrings::Add(std::string_view utf8) { return AddW(platform::Utf8ToWide(utf8)); }

void TListBoxStrings::InsertW(int index, std::wstring_view text) {
    if (Virtual()) return;
    const std::wstring item(text);
    if (Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str())) < 0) CannotInsert();
}

void TListBoxStrings::Delete(int index) { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }

void TListBoxStrings::Exchange(int first, int second) {
    if (Virtual()) return;
    BeginUpdate();
    const int current = box_.ItemIndex();
    const std::wstring firstText = GetW(first), secondText = GetW(second);
    const LPARAM firstObject = Object(first), secondObject = Object(second);
    Delete(first);
    InsertW(first, secondText);
    PutObject(first, secondObject);
    Delete(second);
    InsertW(second, firstText);
    PutObject(second, firstObject);
    // The current item moves with its text.
    if (current == first)
        box_.SetItemIndex(second);
    else if (current == second)
        box_.SetItemIndex(first);
    else
        box_.SetItemIndex(current);
    EndUpdate();
}

void TListBoxStrings::Clear() {
    if (!Virtual()) Send(LB_RESETCONTENT);
}

int TListBoxStrings::IndexOfW(std::wstring_view text) const {
    if (Virtual()) return box_.OnDataFind ? box_.OnDataFind(box_, std::wstring(text)) : -1;
    const std::wstring item(text);
    return static_cast<int>(Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str())));
}

void TListBoxStrings::Move(int from, int to) {
    if (Virtual() || from == to) return;
    BeginUpdate();
    const std::wstring text = GetW(from);
    const LPARAM object = Object(from);
    Delete(from);
    InsertW(to, text);
    PutObject(to, object);
    EndUpdate();
}

void TListBoxStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) box_.Invalidate();
}

}  // namespace lw::controls
