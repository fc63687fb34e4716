#pragma once
#include <windows.h>

#include "framework/CComboBox.h"

// A combo box that remembers the selection of its edit part as it was
// before each key, character or click, so its owner can insert text there
// after the focus has moved away.
class CFocusComboBox : public CComboBox {
public:
    ~CFocusComboBox() override;

    // Binds a dialog's combo box and its edit part.
    bool Bind(UINT id, CWnd* parent);
    int GetSelStart() const { return m_selStart; }
    int GetSelEnd() const { return m_selEnd; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void StoreSelection();

    // The edit part: its keys and clicks reach this object first.
    class EditPart : public CWnd {
    public:
        explicit EditPart(CFocusComboBox& owner) : m_owner(owner) {}

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        CFocusComboBox& m_owner;
    };

    EditPart m_edit{*this};
    int m_selStart = 0;
    int m_selEnd = 0;
};
