#pragma once
#include <windows.h>

#include <string>

#include "framework/CDialog.h"

// The one-line text input dialog: a prompt above the field, a note below
// it, a caption, and the text entered.
class CInputTextDialog : public CDialog {
public:
    explicit CInputTextDialog(CWnd* parent = nullptr);
    CInputTextDialog(std::wstring title, std::wstring prompt, std::wstring note, std::wstring initialText,
                     CWnd* parent = nullptr);

    void SetPrompt(const std::wstring& text) { m_prompt = text; }
    void SetNote(const std::wstring& text) { m_note = text; }
    void SetTitle(const std::wstring& text) { m_title = text; }
    void SetInitialText(const std::wstring& text) { m_initialText = text; }
    const std::wstring& GetResult() const { return m_result; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::wstring m_prompt;
    std::wstring m_note;
    std::wstring m_title = L"Input a string";
    std::wstring m_initialText;
    std::wstring m_result;
};

// Runs the text input dialog with these texts: 1 and the text entered after
// OK, 2 (text untouched) otherwise.
int AskText(const std::wstring& title, const std::wstring& prompt, const std::wstring& note,
            const std::wstring& initialText, std::wstring& text, CWnd* parent = nullptr);
