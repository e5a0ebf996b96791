#pragma once
// The items of the skinned list box. They live in the platform's list window, not here: every
// operation goes to the window, so what the user sees and what the program reads never differ.
// In the virtual styles the program supplies texts and searches through the box's events.

#include <windows.h>

#include <string>
#include <string_view>

namespace lw::controls {

class TsAlphaListBox;

class TListBoxStrings {
public:
    explicit TListBoxStrings(TsAlphaListBox& box) : box_(box) {}
    TListBoxStrings(const TListBoxStrings&) = delete;
    TListBoxStrings& operator=(const TListBoxStrings&) = delete;

    int Count() const;
    // Throw "List index out of bounds (%d)" for an index the list does not hold.
    std::wstring GetW(int index) const;
    std::string Get(int index) const;
    LPARAM Object(int index) const;
    void PutW(int index, std::wstring_view text);
    void PutObject(int index, LPARAM object);
    // Throw "Unable to insert a line" when the platform refuses; Add answers the new index.
    int AddW(std::wstring_view text);
    int Add(std::string_view utf8);
    void InsertW(int index, std::wstring_view text);
    void Delete(int index);
    void Exchange(int first, int second);
    void Clear();
    // -1 when no item has exactly this text (case ignored, as the platform compares).
    int IndexOfW(std::wstring_view text) const;
    void Move(int from, int to);

    // Ending the outermost update repaints the list once.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

private:
    bool Virtual() const;
    HWND Window() const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    TsAlphaListBox& box_;
    int updateCount_ = 0;
};

}  // namespace lw::controls
